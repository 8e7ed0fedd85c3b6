// A small fixed-capacity GBK text that the dialogs build row texts in without allocating:
// copy, append and append-a-number, always zero-terminated, cut at its capacity.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "gfx/decimal.h"

namespace rolvi::dialogs {

template <std::size_t Capacity>
class FixedText {
 public:
  FixedText& Append(std::string_view text) {
    for (const char c : text) {
      if (length_ + 1 >= Capacity) break;
      bytes_[length_++] = c;
    }
    bytes_[length_] = '\0';
    return *this;
  }
  FixedText& AppendNumber(std::uint32_t value) {
    gfx::DecimalText digits;
    gfx::FormatDecimal(value, digits);
    return Append(gfx::DecimalView(digits));
  }
  std::string_view view() const { return {bytes_.data(), length_}; }

 private:
  std::array<char, Capacity> bytes_{};
  std::size_t length_ = 0;
};

}  // namespace rolvi::dialogs
