// The main window's layouts for a touch screen that the client area fills (the page on a
// phone): in portrait the figures stand above a board as wide as the screen, with a panel of
// the menu button, the record, the preview and the score between them; in landscape the board
// is as high as the screen between two columns, each a panel over a figure. The pieces and
// their sizes are the classic layout's; only their places differ. Also the client size that
// makes a cell large enough for a finger on a screen of so many points.
#pragma once

#include <array>
#include <cstdint>

#include "platform/surface.h"
#include "shell/layout.h"

namespace rolvi::shell {

// What the touch layouts place besides the classic Layout's fields.
struct TouchPlaces {
  Point record_box_origin;
  platform::Rect menu_button;  // kept free for the window system's menu button
  // The face-coloured panels behind the score boxes, the preview and the menu button; a
  // panel without width is not drawn.
  std::array<platform::Rect, 2> panels{};

  friend bool operator==(const TouchPlaces&, const TouchPlaces&) = default;
};

// The least cell, in points, on a screen taller than wide and on one that is not.
inline constexpr int kPortraitCellPoints = 40;
inline constexpr int kLandscapeCellPoints = 36;

// The client size for a touch screen of `screen_points`: as large a cell as the composition
// allows, at least the sizes above where the screen is large enough for the whole game at
// them, and the whole game in any case.
platform::Size TouchClientSize(platform::Size screen_points);

// The whole Layout and the touch places from the client size: portrait when the client is
// taller than wide.
void ApplyTouchClientSize(Layout& layout, TouchPlaces& places, int client_width, int client_height);

// What the touch layouts draw where the classic one draws the header bar: the panels and
// the record box on its panel.
void DrawTouchPanels(platform::Surface& target, const TouchPlaces& places,
                     std::uint32_t record_score);

}  // namespace rolvi::shell
