#include "platform/sdl/text_codec.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace rolvi::platform::sdl {
namespace {

std::string Convert(std::string_view text, const char* to, const char* from) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return {};
  std::string input(text);
  std::vector<char> output(input.size() * 2 + 8);
  char* in = input.data();
  std::size_t in_left = input.size();
  char* out = output.data();
  std::size_t out_left = output.size();
  while (in_left > 0) {
    if (iconv(converter, &in, &in_left, &out, &out_left) != static_cast<std::size_t>(-1)) break;
    if (errno != EILSEQ && errno != EINVAL) break;
    // Skip one byte of a character that has no form in the target set.
    ++in;
    --in_left;
  }
  iconv_close(converter);
  return std::string(output.data(), output.size() - out_left);
}

}  // namespace

std::string Utf8ToGbk(std::string_view utf8) {
  return Convert(utf8, "GBK", "UTF-8");
}
std::string GbkToUtf8(std::string_view gbk) {
  return Convert(gbk, "UTF-8", "GBK");
}

}  // namespace rolvi::platform::sdl
