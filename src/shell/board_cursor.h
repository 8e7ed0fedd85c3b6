// The board cursor of a player at the keyboard: the cell it stands on and whether it shows.
// The arrows move it one cell and stop at the board's edges; Home and End jump to the ends of
// its row, Page Up and Page Down to the ends of its column. The first key shows it where the
// player looks, on the selected ball or else on the centre cell; a mouse click hides it.
#pragma once

#include "game/game.h"
#include "platform/window_system.h"

namespace rolvi::shell {

// Where the cursor shows first: the centre cell.
inline constexpr game::CellRef kCursorHome{4, 4};

// The cell a move key leads to from `from`; Space, Enter and a step past an edge stay.
game::CellRef CursorStep(game::CellRef from, platform::ClientKey key);

// Space and Enter act on the cursor's cell as a click on it does.
constexpr bool ActsOnCell(platform::ClientKey key) {
  return key == platform::ClientKey::kSpace || key == platform::ClientKey::kEnter;
}

class BoardCursor {
 public:
  bool shown() const { return shown_; }
  game::CellRef cell() const { return cell_; }

  // Shows it on the selected ball's cell, or on the centre cell when no ball is selected.
  void Show(const game::TurnState& turn);
  void Hide() { shown_ = false; }
  // Moves a shown cursor as a move key says; false when it stays where it is.
  bool Move(platform::ClientKey key);

 private:
  bool shown_ = false;
  game::CellRef cell_ = kCursorHome;
};

}  // namespace rolvi::shell
