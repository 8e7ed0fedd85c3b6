// The main window's keyboard play: the board cursor moved by the arrows and their jumps, and
// Space or Enter as a click on its cell, through the turn flow exactly as a mouse click goes.
#include "gfx/cell_cursor.h"
#include "shell/main_window.h"

namespace rolvi::shell {

void MainWindow::OnKey(platform::ClientKey key) {
  // The first key only shows the cursor, where the player looks.
  if (!cursor_.shown()) {
    cursor_.Show(game_.turn);
    if (platform::Surface* surface = system_.StartDrawing()) DrawCursor(*surface);
    return;
  }
  if (ActsOnCell(key)) {
    ClickCell(cursor_.cell());
    return;
  }
  const game::CellRef from = cursor_.cell();
  if (!cursor_.Move(key)) return;
  if (platform::Surface* surface = system_.StartDrawing()) {
    gfx::EraseCellCursor(*surface, sheet_, layout_.board_origin, from.column, from.row);
    DrawCursor(*surface);
  }
}

void MainWindow::DrawCursor(platform::Surface& surface) {
  if (!cursor_.shown()) return;
  gfx::DrawCellCursor(surface, layout_.board_origin, cursor_.cell().column, cursor_.cell().row);
}

void MainWindow::HideCursor() {
  if (!cursor_.shown()) return;
  cursor_.Hide();
  if (platform::Surface* surface = system_.StartDrawing()) {
    gfx::EraseCellCursor(*surface, sheet_, layout_.board_origin, cursor_.cell().column,
                         cursor_.cell().row);
  }
}

}  // namespace rolvi::shell
