// A surface placed at (x, y) of a window's content, in the program's pixels: the back ends that
// draw their own windows put each one together from layers, bottom to top.
#pragma once

#include "platform/software/soft_surface.h"

namespace rolvi::platform {

struct Layer {
  SoftSurface* surface;  // not const: a present of changes forgets what it showed
  int x;
  int y;
};

}  // namespace rolvi::platform
