#include "gbk_utf8.h"

#include <iconv.h>

#include <cerrno>

namespace rolvi::replay {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Converter() {
    if (handle_ != reinterpret_cast<iconv_t>(-1)) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much as it can; on a byte it cannot convert, `on_error` decides.
  template <typename OnError>
  bool Run(std::string_view input, std::string& output, OnError on_error) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) return false;
    std::string in(input);
    char* in_ptr = in.data();
    std::size_t in_left = in.size();
    while (in_left > 0) {
      char buffer[256];
      char* out_ptr = buffer;
      std::size_t out_left = sizeof buffer;
      const std::size_t done = iconv(handle_, &in_ptr, &in_left, &out_ptr, &out_left);
      output.append(buffer, static_cast<std::size_t>(out_ptr - buffer));
      if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
        if (!on_error(output)) return false;
        ++in_ptr;
        --in_left;
      }
    }
    return true;
  }

 private:
  iconv_t handle_;
};

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  Converter converter("UTF-8", "GBK");
  std::string utf8;
  converter.Run(gbk, utf8, [](std::string& out) {
    out += "\xEF\xBF\xBD";
    return true;
  });
  return utf8;
}

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
  Converter converter("GBK", "UTF-8");
  std::string gbk;
  if (!converter.Run(utf8, gbk, [](std::string&) { return false; })) return std::nullopt;
  return gbk;
}

}  // namespace rolvi::replay
