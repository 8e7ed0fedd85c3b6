// The seam through which the game rules reach the screen and the clock: draw one cell tile
// on the main window, pause with what was drawn shown, and ask the statistics window to
// repaint later. Front ends implement it; tests use a recording fake with a virtual clock.
#pragma once

#include <cstdint>

namespace rolvi::platform {

class GameHost {
 public:
  virtual ~GameHost() = default;

  // Draws the tile of cell (column, row) as it looks with cell code `code` (only its low six
  // bits pick the colour) in animation frame `frame` (0..9). Shown at once, no repaint needed.
  virtual void DrawCell(int column, int row, std::uint8_t code, int frame) = 0;

  // Blocks for `milliseconds` with everything drawn so far visible; input waits meanwhile.
  virtual void Pause(int milliseconds) = 0;

  // Asks the statistics window, if open, to repaint itself once the event loop runs again.
  virtual void RequestStatsRefresh() = 0;
};

}  // namespace rolvi::platform
