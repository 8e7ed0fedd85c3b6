#include "platform/win32/win32_text.h"

#include <algorithm>

namespace rolvi::platform::win32 {

WideText::WideText(std::string_view gbk) {
  const int bytes = static_cast<int>(std::min(gbk.size(), kCapacity - 1));
  if (bytes > 0) {
    length_ = MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), bytes, units_.data(),
                                  static_cast<int>(kCapacity - 1));
  }
  units_[static_cast<std::size_t>(length_)] = L'\0';
}

std::string ToGbk(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int units = static_cast<int>(wide.size());
  const int bytes =
      WideCharToMultiByte(kGbkCodePage, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string gbk(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(kGbkCodePage, 0, wide.data(), units, gbk.data(), bytes, nullptr, nullptr);
  return gbk;
}

}  // namespace rolvi::platform::win32
