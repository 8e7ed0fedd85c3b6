#include "platform/ink.h"

#include <algorithm>

namespace rolvi::testing {

platform::Rect InkBounds(const platform::SoftSurface& surface, platform::Rgb colour) {
  platform::Rect bounds{surface.width(), surface.height(), 0, 0};
  for (int y = 0; y < surface.height(); ++y) {
    for (int x = 0; x < surface.width(); ++x) {
      if (surface.GetPixel(x, y) != colour) continue;
      bounds = {std::min(bounds.left, x), std::min(bounds.top, y), std::max(bounds.right, x + 1),
                std::max(bounds.bottom, y + 1)};
    }
  }
  if (bounds.right == 0) return {};
  return bounds;
}

int CountPixels(const platform::SoftSurface& surface, platform::Rgb colour) {
  int count = 0;
  for (int y = 0; y < surface.height(); ++y) {
    for (int x = 0; x < surface.width(); ++x)
      count += surface.GetPixel(x, y) == colour ? 1 : 0;
  }
  return count;
}

}  // namespace rolvi::testing
