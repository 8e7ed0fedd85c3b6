#include "platform/ink.h"

#include <algorithm>

namespace rolvi::testing {
namespace {

// Calls `visit(x, y)` for each pixel of `colour` inside `area`.
template <typename Visit>
void ForEachPixelOf(const platform::SoftSurface& surface, platform::Rgb colour,
                    const platform::Rect& area, Visit visit) {
  for (int y = std::max(area.top, 0); y < std::min(area.bottom, surface.height()); ++y) {
    for (int x = std::max(area.left, 0); x < std::min(area.right, surface.width()); ++x) {
      if (surface.GetPixel(x, y) == colour) visit(x, y);
    }
  }
}

}  // namespace

platform::Rect InkBounds(const platform::SoftSurface& surface, platform::Rgb colour,
                         const platform::Rect& area) {
  platform::Rect bounds{INT_MAX, INT_MAX, 0, 0};
  ForEachPixelOf(surface, colour, area, [&](int x, int y) {
    bounds = {std::min(bounds.left, x), std::min(bounds.top, y), std::max(bounds.right, x + 1),
              std::max(bounds.bottom, y + 1)};
  });
  if (bounds.right == 0) return {};
  return bounds;
}

int CountPixels(const platform::SoftSurface& surface, platform::Rgb colour,
                const platform::Rect& area) {
  int count = 0;
  ForEachPixelOf(surface, colour, area, [&](int, int) { ++count; });
  return count;
}

}  // namespace rolvi::testing
