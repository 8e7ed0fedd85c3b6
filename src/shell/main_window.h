// The main window's behaviour, platform-free: creation and destruction of the game's
// objects, the Layout on every resize, the whole paint, the menu commands, and the timer
// ticks, mouse presses and board keys handed to the turn flow. Window systems call it through
// WindowHandlers; the game plays through it as its View and record dialogs.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "dialogs/stats_window.h"
#include "game/game.h"
#include "game/kept_game.h"
#include "game/view.h"
#include "gfx/ball_symbols.h"
#include "gfx/sprite_sheet.h"
#include "platform/window_system.h"
#include "records/record_dialogs.h"
#include "records/record_file.h"
#include "shell/assets.h"
#include "shell/board_cursor.h"
#include "shell/commands.h"
#include "shell/game_keeper.h"
#include "shell/layout.h"
#include "shell/touch_layout.h"

namespace rolvi::dialogs {
class NameDialog;
}

namespace rolvi::shell {

inline constexpr int kTimerPeriodMs = 50;

// When the record table is written: once, when the run ends (the replay driver), or as soon
// as a result has entered it and again whenever the run ends or may be about to end (the
// programs, which a crash, a kill or a closed page can end at any moment). A save that fails
// is told to the player, and the table stays as it is for the next save to try again.
enum class RecordSaving { kOnceAtEnd, kWhenAResultEnters };

class MainWindow final : public platform::WindowHandlers,
                         private game::View,
                         private records::RecordDialogs {
 public:
  // `settings_files` is where the player's settings are kept, or null where the program keeps
  // no user data: every setting then starts at its default and is forgotten at the end.
  MainWindow(platform::WindowSystem& system, const Assets& assets,
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
  // Another tab of the page saved: its results are taken into the table (see
  // TakeStoredRecords).
  void OnFilesChanged() override;
  platform::Size TouchClientSize(platform::Size screen_points) const override {
    return shell::TouchClientSize(screen_points);
  }
  // Play by keyboard (main_window_keys.cpp): the board cursor and the clicks on its cell.
  void OnKey(platform::ClientKey key) override;

  // Continues the game kept there, if any, and keeps the game in progress there (see
  // GameKeeper). Called before the window is created.
  void KeepGame(GameKeeping keeping);
  // The game as it would be kept now (the replay driver's keep command).
  game::KeptGame KeptState() const { return game::CaptureGame(game_, show_next_); }

  const game::Game& game() const { return game_; }
  const Layout& layout() const { return layout_; }
  const TouchPlaces& touch_places() const { return touch_places_; }
  bool show_next() const { return show_next_; }
  bool stats_open() const { return stats_open_; }
  bool ball_symbols() const { return symbols_ == gfx::BallSymbols::kOn; }
  gfx::SheetLoad sheet_load() const { return sheet_load_; }
  const BoardCursor& cursor() const { return cursor_; }

 private:
  // game::View, drawing on the window's own surface.
  void DrawCell(int column, int row, game::CellCode code, int frame) override;
  void DrawBoard() override;
  void DrawNextBalls() override;
  void DrawScoreBox(game::ScoreBox box, std::uint32_t value) override;
  void DrawKing(game::FigureParts parts) override;
  void DrawPlayer(game::FigureParts parts, game::BodyUnderCrown body) override;
  void RequestStatsRefresh() override;
  void GameOver() override;
  // records::RecordDialogs, owned by this window.
  void RunNameDialog(records::NameBuffer& lastName) override;
  void ShowRecordsDialog(const records::RecordTable& table) override;

  game::Frontend frontend() { return {*this, system_, *this, assets_.texts.game}; }
  void ToggleNextBalls();
  void ToggleStats();
  void ToggleSymbols();
  void OnStatsClosed();
  // At an end of the run, or when the page may be about to end: with kOnceAtEnd the table is
  // written at most once, at whichever end comes first; else whenever a result is in it.
  void KeepRecords();
  // After another program's save, once no turn is under way (a turn's own save merges it):
  // the table is read again with this run's unsaved results kept, and the King stands for its
  // best result when that is above the record, unless this game has beaten the record, in
  // which case that waits for the game's end.
  void TakeStoredRecords();
  void FollowStoredRecord();
  // The kept game: continued at creation, told the state at the end of every handler.
  bool ResumeKeptGame();
  void Settled();
  void KeepGameAtSessionEnd();
  // Tells the player that the record file `file_name` could not be read or written, where it
  // is and why.
  void ReportFileProblem(std::string_view first_line, std::string_view file_name,
                         platform::FileError error);
  // The board cursor's frame over whatever was just drawn on its cell, and its removal.
  void DrawCursor(platform::Surface& surface);
  void HideCursor();
  // A press and release on one cell, as the board cursor's Space or Enter gives them.
  void ClickCell(game::CellRef cell);

  platform::WindowSystem& system_;
  Assets assets_;
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
  // The failed save last told to the player, until a save succeeds.
  std::optional<records::SaveResult> failed_save_told_;
  // Another program's save still to be taken in: the table, and the King's record.
  bool reload_records_ = false;
  bool follow_record_ = false;
  // The name dialog while it runs: a save meanwhile keeps the valid name typed in it.
  const dialogs::NameDialog* name_dialog_ = nullptr;
  std::optional<GameKeeper> keeper_;
  // Handlers under way that play a turn: their animations, message boxes and dialogs run
  // inside them, and a session that ends meanwhile keeps the state at the last turn's end.
  int turns_under_way_ = 0;
  BoardCursor cursor_;
};

}  // namespace rolvi::shell
