// Reading drawn pixels back from a SoftSurface: where a colour was drawn and how often.
#pragma once

#include "platform/software/soft_surface.h"

namespace rolvi::testing {

// The smallest rectangle holding every pixel of `colour`; empty (all zero) when there is none.
platform::Rect InkBounds(const platform::SoftSurface& surface, platform::Rgb colour);
int CountPixels(const platform::SoftSurface& surface, platform::Rgb colour);

}  // namespace rolvi::testing
