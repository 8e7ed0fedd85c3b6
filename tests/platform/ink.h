// Reading drawn pixels back from a SoftSurface: where a colour was drawn and how often, on the
// whole surface or inside one area of it.
#pragma once

#include <climits>

#include "platform/software/soft_surface.h"

namespace rolvi::testing {

inline constexpr platform::Rect kWholeSurface{0, 0, INT_MAX, INT_MAX};

// The smallest rectangle holding every pixel of `colour`; empty (all zero) when there is none.
platform::Rect InkBounds(const platform::SoftSurface& surface, platform::Rgb colour,
                         const platform::Rect& area = kWholeSurface);
int CountPixels(const platform::SoftSurface& surface, platform::Rgb colour,
                const platform::Rect& area = kWholeSurface);

}  // namespace rolvi::testing
