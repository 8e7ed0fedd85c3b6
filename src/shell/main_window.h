// The main window's behaviour, platform-free: creation and destruction of the game's
// objects, the Layout on every resize, the whole paint, the menu commands, and the timer
// ticks and mouse presses handed to the turn flow. Window systems call it through
// WindowHandlers; the game plays through it as its Frontend.
#pragma once

#include <cstdint>
#include <span>

#include "dialogs/stats_window.h"
#include "game/game.h"
#include "gfx/sprite_sheet.h"
#include "platform/window_system.h"

namespace rolvi::shell {

// The menu and accelerator commands.
enum Command : int {
  kNewGame = 256,
  kShowRecords = 257,
  kExit = 258,
  kToggleNext = 512,
  kToggleStats = 513,
  kRules = 768,
  kAbout = 769,
};

// The data the program carries inside itself.
struct Resources {
  std::span<const std::uint8_t> sheet_stream;  // raw Deflate stream of the sprite sheet
  platform::DibView about_picture;
  platform::DibView about_mask;
};

inline constexpr int kTimerPeriodMs = 50;
inline constexpr platform::Size kMinimumWindowSize{620, 420};

class MainWindow final : public platform::WindowHandlers, private game::Frontend {
 public:
  MainWindow(platform::WindowSystem& system, const Resources& resources);

  void OnCreate() override;
  void OnDestroy() override;
  void OnSize(int client_width, int client_height) override;
  void OnPaint(platform::Surface& surface) override;
  platform::Size MinimumTrackSize() const override { return kMinimumWindowSize; }
  void OnCommand(int command) override;
  void OnTimer() override;
  void OnMouseDown(int x, int y) override;
  void OnMouseUp(int x, int y) override;
  void OnSessionEnding() override;

  const game::Game& game() const { return game_; }
  gfx::SheetLoad sheet_load() const { return sheet_load_; }

 private:
  // game::Frontend, drawing on the window's own surface.
  void DrawCell(int column, int row, std::uint8_t code, int frame) override;
  void DrawBoard() override;
  void DrawNextBalls() override;
  void DrawScoreBox(int x, int y, std::uint32_t value) override;
  void DrawKing(bool full) override;
  void DrawPlayer(bool full, bool force_body) override;
  void Pause(int milliseconds) override;
  bool Beep() override;
  void RequestStatsRefresh() override;
  void ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                      platform::MessageIcon icon) override;
  void RunNameDialog(records::NameBuffer& lastName) override;
  void ShowRecordsDialog(const records::RecordTable& table) override;

  void ToggleNextBalls();
  void ToggleStats();
  // The record table is written at most once, at whichever end of the run comes first.
  void SaveRecordsOnce();

  platform::WindowSystem& system_;
  Resources resources_;
  game::Game game_;
  gfx::SpriteSheet sheet_;
  gfx::SheetLoad sheet_load_ = gfx::SheetLoad::kNoBitmap;
  dialogs::StatsWindow stats_window_;
  bool records_saved_ = false;
};

}  // namespace rolvi::shell
