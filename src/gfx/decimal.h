// Decimal text of an unsigned 32-bit number, as every number on screen is written.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rolvi::gfx {

// At most ten digits and a zero byte.
using DecimalText = std::array<char, 11>;

// Writes the digits without leading zeros (0 is "0") and a zero byte; returns the length.
std::size_t FormatDecimal(std::uint32_t value, DecimalText& text);

inline std::string_view DecimalView(const DecimalText& text) {
  return text.data();
}

}  // namespace rolvi::gfx
