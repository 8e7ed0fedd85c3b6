// Copying a block of 0x00RRGGBB pixels into a larger pixel buffer with every pixel enlarged
// to a square of scale by scale (nearest neighbour, no smoothing), clipped to the target.
#pragma once

#include <cstdint>

namespace rolvi::platform::sdl {

struct PixelBlock {
  const std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int pitch = 0;  // pixels from one row to the next
};

struct PixelTarget {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int pitch = 0;  // pixels from one row to the next
};

// Source pixel (i, j) covers target pixels x + scale * i .. x + scale * i + scale - 1, and the
// same for rows; whatever falls outside the target is dropped. `scale` is at least 1.
void EnlargeInto(const PixelBlock& source, int scale, const PixelTarget& target, int x, int y);

// Fills the target outside the rectangle (0, 0) to (width, height) with one value.
void FillOutside(const PixelTarget& target, int width, int height, std::uint32_t value);

}  // namespace rolvi::platform::sdl
