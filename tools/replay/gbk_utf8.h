// Conversions between the program's GBK texts and the UTF-8 of scripts and dumps.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rolvi::replay {

// Bytes that do not convert become U+FFFD.
std::string GbkToUtf8(std::string_view gbk);
// Nothing when the text has characters GBK cannot hold.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);

}  // namespace rolvi::replay
