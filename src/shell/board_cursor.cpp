#include "shell/board_cursor.h"

#include <algorithm>

namespace rolvi::shell {

using platform::ClientKey;

game::CellRef CursorStep(game::CellRef from, ClientKey key) {
  constexpr int kLast = game::kBoardSide - 1;
  game::CellRef to = from;
  switch (key) {
    case ClientKey::kLeft:
      to.column = std::max(0, from.column - 1);
      break;
    case ClientKey::kRight:
      to.column = std::min(kLast, from.column + 1);
      break;
    case ClientKey::kUp:
      to.row = std::max(0, from.row - 1);
      break;
    case ClientKey::kDown:
      to.row = std::min(kLast, from.row + 1);
      break;
    case ClientKey::kHome:
      to.column = 0;
      break;
    case ClientKey::kEnd:
      to.column = kLast;
      break;
    case ClientKey::kPageUp:
      to.row = 0;
      break;
    case ClientKey::kPageDown:
      to.row = kLast;
      break;
    case ClientKey::kSpace:
    case ClientKey::kEnter:
      break;
  }
  return to;
}

void BoardCursor::Show(const game::TurnState& turn) {
  shown_ = true;
  cell_ = turn.selection == game::SelectionState::kSelected ? turn.selectedCell : kCursorHome;
}

bool BoardCursor::Move(ClientKey key) {
  const game::CellRef to = CursorStep(cell_, key);
  if (!shown_ || to == cell_) return false;
  cell_ = to;
  return true;
}

}  // namespace rolvi::shell
