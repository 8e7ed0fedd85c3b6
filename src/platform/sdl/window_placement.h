// Where a window's frame goes on the screen: at the place asked for when it fits the
// desktop's work area (the screen without its panels) from there, else moved as little as it
// takes; a frame larger than the work area keeps its top-left corner, and the title bar with
// it, in view. Plain values, so the rule is tested without a display.
#pragma once

#include <algorithm>

#include "platform/surface.h"

namespace rolvi::platform::sdl {

// One axis: back from the far edge first, then from the near edge, which wins.
constexpr int KeepSpanInside(int start, int length, int low, int high) {
  return std::max(low, std::min(start, high - length));
}

// The top-left corner for a frame of `size` wanted at `wanted`, inside `work_area`; an empty
// work area (unknown) leaves it where it was wanted.
constexpr Point KeepFrameInside(Point wanted, Size size, const Rect& work_area) {
  if (work_area.width() <= 0 || work_area.height() <= 0) return wanted;
  return Point{KeepSpanInside(wanted.x, size.width, work_area.left, work_area.right),
               KeepSpanInside(wanted.y, size.height, work_area.top, work_area.bottom)};
}

}  // namespace rolvi::platform::sdl
