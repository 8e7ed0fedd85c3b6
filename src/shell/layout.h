// The Layout: where the board, the preview, the current-score box and the two figures stand
// in the main window's client area, recomputed from the client size whenever it changes; and
// the board's cells as client points, both ways.
#pragma once

#include <optional>

#include "game/game.h"
#include "platform/surface.h"

namespace rolvi::shell {

using platform::Point;

struct Layout {
  Point board_origin{146, 68};  // what the first client area gives, until the first resize
  Point score_box_origin;
  Point preview_origin;
  Point king_base;    // lower left corner of the King's pillar foot plate
  Point player_base;  // the same for the Player

  friend bool operator==(const Layout&, const Layout&) = default;
};

// Everything but the board origin, from the client rectangle's right and bottom, as the
// window's creation computes it before any resize.
void PlaceAroundBoard(Layout& layout, int client_right, int client_bottom);

// A resize: the whole Layout from the new client width and height.
void ApplyClientSize(Layout& layout, int client_width, int client_height);

// The cell whose square of one cell pitch, measured from the board origin itself (2 pixels up
// and left of the drawn tiles), holds the client point (x, y), or nothing.
std::optional<game::CellRef> CellAtPoint(Point board_origin, int x, int y);

// The client point at the centre of a cell's square, where a player clicks it.
Point CellCentre(Point board_origin, game::CellRef cell);

}  // namespace rolvi::shell
