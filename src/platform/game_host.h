// The seam through which the game logic reaches the screen and the system while it plays:
// drawing on the main window, pausing with what was drawn shown, the beep, message boxes,
// the record dialogs, and the statistics window's refresh. Front ends implement it; tests
// use a recording fake with a virtual clock.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/dialog.h"

namespace rolvi::platform {

class GameHost {
 public:
  virtual ~GameHost() = default;

  // Drawing on the main window, shown at once; dropped while the window is minimised.
  // A cell is drawn as cell code `code` looks (its low six bits pick the colour) in
  // animation frame `frame` (0..9).
  virtual void DrawCell(int column, int row, std::uint8_t code, int frame) = 0;
  virtual void DrawBoard() = 0;
  virtual void DrawNextBalls() = 0;
  virtual void DrawScoreBox(int x, int y, std::uint32_t value) = 0;
  virtual void DrawKing(bool full) = 0;
  virtual void DrawPlayer(bool full, bool force_body) = 0;

  // Blocks for `milliseconds` with everything drawn so far visible; input waits meanwhile.
  virtual void Pause(int milliseconds) = 0;
  // The asterisk sound of a refused move; false where no sound can be made.
  virtual bool Beep() = 0;

  // Asks the statistics window, if open, to repaint itself once the event loop runs again.
  virtual void RequestStatsRefresh() = 0;

  // A modal message box owned by the main window; returns when dismissed. GBK texts.
  virtual void ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                              MessageIcon icon) = 0;
};

}  // namespace rolvi::platform
