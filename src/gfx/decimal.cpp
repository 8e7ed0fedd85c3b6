#include "gfx/decimal.h"

namespace rolvi::gfx {

std::size_t FormatDecimal(std::uint32_t value, DecimalText& text) {
  std::size_t length = 0;
  std::uint32_t divisor = 1'000'000'000;
  for (int step = 0; step < 10; ++step) {
    const std::uint32_t digit = value / divisor;
    value %= divisor;
    if (digit != 0 || length > 0 || divisor == 1) {
      text[length++] = static_cast<char>('0' + digit);
    }
    divisor /= 10;
  }
  text[length] = '\0';
  return length;
}

}  // namespace rolvi::gfx
