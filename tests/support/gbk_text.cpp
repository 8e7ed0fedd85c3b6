#include "support/gbk_text.h"

#include <iconv.h>

#include <vector>

namespace rolvi::testing {

std::string GbkToUtf8(std::string_view gbk) {
  iconv_t converter = iconv_open("UTF-8", "GBK");
  if (converter == reinterpret_cast<iconv_t>(-1)) return "<no GBK converter>";
  std::string in(gbk);
  std::vector<char> out(gbk.size() * 4 + 4);
  char* in_pointer = in.data();
  std::size_t in_left = in.size();
  char* out_pointer = out.data();
  std::size_t out_left = out.size();
  const std::size_t result = iconv(converter, &in_pointer, &in_left, &out_pointer, &out_left);
  iconv_close(converter);
  if (result == static_cast<std::size_t>(-1) || in_left != 0) return "<invalid GBK>";
  return std::string(out.data(), out.size() - out_left);
}

}  // namespace rolvi::testing
