// What the game shows while it plays: its pieces drawn at once on the main window (cells,
// the board, the preview, the score boxes, the two figures) and the statistics window's
// refresh; and the Frontend, which hands the game its view together with the system's
// pauses, beep and message boxes, the record dialogs and the texts it shows. The shell
// implements the view; tests record it.
#pragma once

#include <cstdint>
#include <string_view>

#include "game/board.h"
#include "platform/feedback.h"
#include "records/record_dialogs.h"

namespace rolvi::game {

enum class ScoreBox { kRecord, kCurrent };

// How much of a figure a draw covers: the body alone (each animation step), or also the
// pillar, its foot plate and the name plate.
enum class FigureParts { kBodyOnly, kAll };

// Whether the Player's plain body is drawn while his crown overlay shows.
enum class BodyUnderCrown { kLeave, kDraw };

class View {
 public:
  virtual ~View() = default;

  // Dropped while the window is minimised. A cell is drawn as cell code `code` looks (its
  // low six bits pick the colour) in animation frame `frame` (0..9).
  virtual void DrawCell(int column, int row, CellCode code, int frame) = 0;
  virtual void DrawBoard() = 0;
  virtual void DrawNextBalls() = 0;
  virtual void DrawScoreBox(ScoreBox box, std::uint32_t value) = 0;
  virtual void DrawKing(FigureParts parts) = 0;
  virtual void DrawPlayer(FigureParts parts, BodyUnderCrown body) = 0;

  // Asks the statistics window, if open, to repaint itself once the event loop runs again.
  virtual void RequestStatsRefresh() = 0;

  // The board is full: the game is over, and its end (the message box, the record entry and
  // the next game) follows. Nothing is drawn for it.
  virtual void GameOver() {}
};

// The texts the game shows itself (GBK): the message at the end of a game, under the
// program's title.
struct GameTexts {
  std::string_view title;
  std::string_view game_over;
};

// What the game plays on.
struct Frontend {
  View& view;
  platform::Feedback& feedback;
  records::RecordDialogs& dialogs;
  const GameTexts& texts;
};

}  // namespace rolvi::game
