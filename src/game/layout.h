// The Layout: where the board, the preview, the current-score box and the two figures stand
// in the main window's client area, recomputed from the client size whenever it changes.
#pragma once

namespace rolvi::game {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// The record score box never moves.
inline constexpr Point kRecordBoxOrigin{24, 10};

// The side of the board frame in pixels, and the pitch of its cells.
inline constexpr int kBoardFrameSide = 328;
inline constexpr int kCellPitch = 36;

struct Layout {
  Point board_origin{146, 68};  // what a 620 by 420 window gives, until the first resize
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

}  // namespace rolvi::game
