// Decodes GBK bytes to UTF-8 with the C library's converter, so that tests can compare the
// program's byte constants with readable text written independently of them.
#pragma once

#include <string>
#include <string_view>

namespace rolvi::testing {

// The UTF-8 form of `gbk`, or "<invalid GBK>" when the bytes do not decode.
std::string GbkToUtf8(std::string_view gbk);

}  // namespace rolvi::testing
