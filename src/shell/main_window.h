// The main window's behaviour, platform-free: creation and destruction of the game's
// objects, the Layout on every resize, the whole paint, the menu commands, and the timer
// ticks and mouse presses handed to the turn flow. Window systems call it through
// WindowHandlers; the game plays through it as its View and record dialogs.
#pragma once

#include <cstdint>
#include <span>

#include "dialogs/stats_window.h"
#include "game/game.h"
#include "game/view.h"
#include "gfx/ball_symbols.h"
#include "gfx/sprite_sheet.h"
#include "platform/window_system.h"
#include "records/record_dialogs.h"
#include "shell/commands.h"
#include "shell/layout.h"
#include "shell/touch_layout.h"

namespace rolvi::shell {

// The data the program carries inside itself.
struct Resources {
  std::span<const std::uint8_t> sheet_stream;  // raw Deflate stream of the sprite sheet
  platform::DibView about_picture;
  platform::DibView about_mask;
};

inline constexpr int kTimerPeriodMs = 50;

// When the record table is written. A desktop program writes it once, when the run ends. A
// page can be closed at any moment without such an end, so it writes the table as soon as a
// result has entered it, and again whenever the page may be about to end.
enum class RecordSaving { kOnceAtEnd, kWhenAResultEnters };

class MainWindow final : public platform::WindowHandlers,
                         private game::View,
                         private records::RecordDialogs {
 public:
  // `settings_files` is where the player's settings are kept, or null where the program keeps
  // no user data: every setting then starts at its default and is forgotten at the end.
  MainWindow(platform::WindowSystem& system, const Resources& resources,
             RecordSaving saving = RecordSaving::kOnceAtEnd,
             platform::FileSystem* settings_files = nullptr);

  void OnCreate() override;
  void OnDestroy() override;
  void OnSize(int client_width, int client_height) override;
  void OnPaint(platform::Surface& surface) override;
  platform::Size MinimumTrackSize() const override { return kMainWindowSize; }
  void OnCommand(int command) override;
  void OnTimer() override;
  bool TimerShowsNothing() const override;
  void OnSkippedTicks(std::uint32_t count) override;
  void OnMouseDown(int x, int y) override;
  void OnMouseUp(int x, int y) override;
  void OnSessionEnding() override;
  platform::Size TouchClientSize(platform::Size screen_points) const override {
    return shell::TouchClientSize(screen_points);
  }

  const game::Game& game() const { return game_; }
  const Layout& layout() const { return layout_; }
  const TouchPlaces& touch_places() const { return touch_places_; }
  bool show_next() const { return show_next_; }
  bool stats_open() const { return stats_open_; }
  bool ball_symbols() const { return symbols_ == gfx::BallSymbols::kOn; }
  gfx::SheetLoad sheet_load() const { return sheet_load_; }

 private:
  // game::View, drawing on the window's own surface.
  void DrawCell(int column, int row, game::CellCode code, int frame) override;
  void DrawBoard() override;
  void DrawNextBalls() override;
  void DrawScoreBox(game::ScoreBox box, std::uint32_t value) override;
  void DrawKing(game::FigureParts parts) override;
  void DrawPlayer(game::FigureParts parts, game::BodyUnderCrown body) override;
  void RequestStatsRefresh() override;
  // records::RecordDialogs, owned by this window.
  void RunNameDialog(records::NameBuffer& lastName) override;
  void ShowRecordsDialog(const records::RecordTable& table) override;

  game::Frontend frontend() { return {*this, system_, *this}; }
  void ToggleNextBalls();
  void ToggleStats();
  void ToggleSymbols();
  void OnStatsClosed();
  // At an end of the run, or when the page may be about to end: with kOnceAtEnd the table is
  // written at most once, at whichever end comes first; else whenever a result is in it.
  void KeepRecords();

  platform::WindowSystem& system_;
  Resources resources_;
  game::Game game_;
  Layout layout_;
  TouchPlaces touch_places_;  // where the window system's screen is a touch screen
  bool show_next_ = true;
  bool stats_open_ = false;
  gfx::BallSymbols symbols_ = gfx::BallSymbols::kOff;
  platform::FileSystem* settings_files_;
  gfx::SpriteSheet sheet_;
  gfx::SheetLoad sheet_load_ = gfx::SheetLoad::kNoBitmap;
  dialogs::StatsWindow stats_window_;
  RecordSaving saving_;
  bool records_saved_ = false;
};

}  // namespace rolvi::shell
