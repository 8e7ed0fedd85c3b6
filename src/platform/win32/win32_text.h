// The program's GBK texts on the wide (UTF-16) Win32 interface: a fixed-size converted copy
// for everything shown, and the way back for what the player types.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/win32/win32_api.h"

namespace rolvi::platform::win32 {

// The code page of the program's texts.
inline constexpr UINT kGbkCodePage = 936;

// A GBK text converted to UTF-16, zero-terminated, without touching the heap. Every GBK
// character becomes at most one UTF-16 unit, so a text longer than the buffer is cut at
// kCapacity - 1 bytes and still converts completely.
class WideText {
 public:
  static constexpr std::size_t kCapacity = 1024;

  explicit WideText(std::string_view gbk);

  const wchar_t* c_str() const { return units_.data(); }
  int length() const { return length_; }

 private:
  std::array<wchar_t, kCapacity> units_{};
  int length_ = 0;
};

// UTF-16 text as GBK bytes; characters GBK lacks become '?'.
std::string ToGbk(std::wstring_view wide);

}  // namespace rolvi::platform::win32
