#include "platform/gbk/gbk_text.h"

#include <iconv.h>

#include <cerrno>

namespace rolvi::platform {
namespace {

// U+FFFD, the replacement character, in UTF-8's three-byte form 1110xxxx 10xxxxxx 10xxxxxx.
constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr char kReplacementBytes[] = {
    static_cast<char>(0xE0 | (kReplacementCharacter >> 12)),
    static_cast<char>(0x80 | ((kReplacementCharacter >> 6) & 0x3F)),
    static_cast<char>(0x80 | (kReplacementCharacter & 0x3F))};
constexpr std::string_view kReplacement(kReplacementBytes, sizeof kReplacementBytes);

// One iconv conversion state, closed with its owner.
class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Converter() {
    if (valid()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // Converts `input` onto the end of `output`. At a byte it cannot convert (or an incomplete
  // character at the end) it asks `on_bad_byte`, which either appends its stand-in and lets
  // the conversion go on after that one byte, or returns false to give up.
  template <typename OnBadByte>
  bool Run(std::string_view input, std::string& output, OnBadByte on_bad_byte) {
    // iconv's interface takes a non-const input pointer but does not write through it.
    char* in = const_cast<char*>(input.data());
    std::size_t in_left = input.size();
    while (in_left > 0) {
      char buffer[256];
      char* out = buffer;
      std::size_t out_left = sizeof buffer;
      const std::size_t done = iconv(handle_, &in, &in_left, &out, &out_left);
      output.append(buffer, static_cast<std::size_t>(out - buffer));
      if (done != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
      if (!on_bad_byte(output)) return false;
      ++in;
      --in_left;
    }
    return true;
  }

 private:
  iconv_t handle_;
};

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  std::string utf8;
  Converter converter("UTF-8", "GBK");
  if (!converter.valid()) {
    // Without a converter no byte decodes.
    for (std::size_t i = 0; i < gbk.size(); ++i)
      utf8 += kReplacement;
    return utf8;
  }
  converter.Run(gbk, utf8, [](std::string& out) {
    out += kReplacement;
    return true;
  });
  return utf8;
}

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
  Converter converter("GBK", "UTF-8");
  std::string gbk;
  if (!converter.valid() || !converter.Run(utf8, gbk, [](std::string&) { return false; })) {
    return std::nullopt;
  }
  return gbk;
}

}  // namespace rolvi::platform
