#include "platform/sdl/enlarge.h"

#include <algorithm>

namespace rolvi::platform::sdl {
namespace {

// The first source index whose enlarged span reaches `target` (floor division; `target` may
// be negative).
int FirstCovering(int target, int scale) {
  return target >= 0 ? target / scale : -((-target + scale - 1) / scale);
}

}  // namespace

void EnlargeInto(const PixelBlock& source, int scale, const PixelTarget& target, int x, int y) {
  if (scale < 1 || source.pixels == nullptr || target.pixels == nullptr) return;
  // Target rectangle covered by the enlarged block, clipped.
  const int left = std::max(0, x);
  const int top = std::max(0, y);
  const int right = std::min(target.width, x + source.width * scale);
  const int bottom = std::min(target.height, y + source.height * scale);
  if (left >= right || top >= bottom) return;

  int row = top;
  while (row < bottom) {
    const int source_row = FirstCovering(row - y, scale);
    // Target rows that show this source row: the first one is drawn, the others copied.
    const int rows = std::min(bottom, y + (source_row + 1) * scale) - row;
    const std::uint32_t* from =
        source.pixels + static_cast<std::ptrdiff_t>(source_row) * source.pitch;
    std::uint32_t* first = target.pixels + static_cast<std::ptrdiff_t>(row) * target.pitch;
    if (scale == 1) {
      std::copy(from + (left - x), from + (right - x), first + left);
    } else {
      int column = left;
      for (int source_column = FirstCovering(left - x, scale); column < right; ++source_column) {
        const int end = std::min(right, x + (source_column + 1) * scale);
        std::fill(first + column, first + end, from[source_column]);
        column = end;
      }
    }
    for (int copy = 1; copy < rows; ++copy) {
      std::copy(first + left, first + right,
                target.pixels + static_cast<std::ptrdiff_t>(row + copy) * target.pitch + left);
    }
    row += rows;
  }
}

void FillOutside(const PixelTarget& target, int width, int height, std::uint32_t value) {
  if (target.pixels == nullptr) return;
  const int inner_right = std::clamp(width, 0, target.width);
  const int inner_bottom = std::clamp(height, 0, target.height);
  for (int row = 0; row < target.height; ++row) {
    std::uint32_t* line = target.pixels + static_cast<std::ptrdiff_t>(row) * target.pitch;
    const int from = row < inner_bottom ? inner_right : 0;
    std::fill(line + from, line + target.width, value);
  }
}

}  // namespace rolvi::platform::sdl
