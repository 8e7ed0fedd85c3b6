#include "gfx/panel.h"

#include "gfx/board_renderer.h"

namespace rolvi::gfx {

void DrawPanel(platform::Surface& target, const platform::Rect& rect) {
  if (rect.width() < 2 || rect.height() < 2) return;
  using platform::SystemColour;
  target.FillRect(rect, target.SystemColour(SystemColour::kFace));
  const platform::Rgb highlight = target.SystemColour(SystemColour::kHighlight);
  const platform::Rgb shadow = target.SystemColour(SystemColour::kShadow);
  DrawBevel(target, rect.left, rect.right - 1, rect.top, rect.bottom - 1, highlight, shadow);
  // The bevel leaves its top-right corner alone; it belongs to the light edge.
  target.FillRect({rect.right - 1, rect.top, rect.right, rect.top + 1}, highlight);
}

}  // namespace rolvi::gfx
