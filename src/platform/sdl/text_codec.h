// Conversions between the program's GBK texts and the UTF-8 that SDL speaks.
#pragma once

#include <string>
#include <string_view>

namespace rolvi::platform::sdl {

// Characters without a GBK (or UTF-8) form are left out.
std::string Utf8ToGbk(std::string_view utf8);
std::string GbkToUtf8(std::string_view gbk);

}  // namespace rolvi::platform::sdl
