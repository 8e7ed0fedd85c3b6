// A raised panel in the header bar's face colour: what the score boxes, the preview and the
// menu button stand on where a layout places them apart from the header bar.
#pragma once

#include "platform/surface.h"

namespace rolvi::gfx {

// Fills `rect` with the face colour inside a one-pixel raised edge, highlight on the left and
// top, shadow on the right and bottom. An empty rectangle draws nothing.
void DrawPanel(platform::Surface& target, const platform::Rect& rect);

}  // namespace rolvi::gfx
