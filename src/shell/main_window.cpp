#include "shell/main_window.h"

#include "dialogs/name_dialog.h"
#include "dialogs/records_dialog.h"
#include "dialogs/simple_dialogs.h"
#include "game/turn_flow.h"
#include "gfx/board_renderer.h"
#include "gfx/figures.h"
#include "records/record_file.h"

namespace rolvi::shell {

using platform::DialogTemplate;

MainWindow::MainWindow(platform::WindowSystem& system, const Resources& resources)
    : system_(system), resources_(resources), stats_window_(game_, sheet_, system) {}

void MainWindow::OnCreate() {
  if (platform::Surface* surface = system_.WindowSurface()) {
    sheet_load_ = gfx::LoadSpriteSheet(*surface, resources_.sheet_stream, sheet_);
  }
  records::LoadRecords(game_.records, system_.Files());
  system_.StartTimer(kTimerPeriodMs);
  game_.turn.frameCounter = 0;
  game_.turn.selection = game::SelectionState::kNone;
  const platform::Size client = system_.ClientSize();
  game::PlaceAroundBoard(game_.layout, client.width, client.height);
  game_.showNext = true;
  game_.figures = game::FigureState{};
  game::SeedRandom(game_.supply.random, system_.TickCount());
  game::SetUpNewGame(game_, *this);
}

void MainWindow::OnDestroy() {
  SaveRecordsOnce();
  if (game_.statsOpen) {
    system_.CloseModelessDialog();
    game_.statsOpen = false;
  }
  sheet_ = gfx::SpriteSheet{};
  system_.StopTimer();
}

void MainWindow::OnSessionEnding() {
  SaveRecordsOnce();
}

void MainWindow::SaveRecordsOnce() {
  if (records_saved_) return;
  records_saved_ =
      records::SaveRecords(game_.records, system_.Files()) != records::SaveOutcome::kUnchanged;
}

void MainWindow::OnSize(int client_width, int client_height) {
  game::ApplyClientSize(game_.layout, client_width, client_height);
}

void MainWindow::OnPaint(platform::Surface& surface) {
  const game::Layout& layout = game_.layout;
  gfx::SelectSheetPalette(surface, sheet_);
  gfx::DrawBoard(surface, sheet_, layout.board_origin, game_.supply.board);
  gfx::DrawHeaderBar(surface, system_.ClientSize().width, layout.preview_origin.x,
                     static_cast<std::uint32_t>(game_.records.recordScore));
  gfx::DrawScoreBox(surface, layout.score_box_origin.x, layout.score_box_origin.y,
                    static_cast<std::uint32_t>(game_.score.score));
  gfx::DrawNextBalls(surface, sheet_, layout.preview_origin, game_.supply.next, game_.showNext);
  gfx::DrawKing(surface, sheet_, layout.king_base, game_.figures,
                records::NameText(game_.records.kingName), true);
  gfx::DrawPlayer(surface, sheet_, layout.player_base, game_.figures, true, true);
}

void MainWindow::OnCommand(int command) {
  switch (command & 0xFFFF) {
    case kNewGame:
      game::NewGameCommand(game_, *this);
      break;
    case kShowRecords:
      ShowRecordsDialog(game_.records.table);
      break;
    case kExit:
      system_.DestroyMainWindow();
      break;
    case kToggleNext:
      ToggleNextBalls();
      break;
    case kToggleStats:
      ToggleStats();
      break;
    case kRules: {
      dialogs::RulesDialog rules(system_.ScreenSize());
      system_.RunModalDialog(DialogTemplate::kRules, rules);
      break;
    }
    case kAbout: {
      dialogs::AboutDialog about(system_.ScreenSize(), resources_.about_picture,
                                 resources_.about_mask);
      system_.RunModalDialog(DialogTemplate::kAbout, about);
      break;
    }
    default:
      break;
  }
}

void MainWindow::ToggleNextBalls() {
  game_.showNext = !game_.showNext;
  system_.SetMenuCheck(kToggleNext, game_.showNext);
  DrawNextBalls();
}

void MainWindow::ToggleStats() {
  game_.statsOpen = !game_.statsOpen;
  if (game_.statsOpen) {
    // When the window cannot be made the flag and the check mark still say open; the next
    // toggle only clears them.
    system_.OpenModelessDialog(DialogTemplate::kStatistics, stats_window_);
  } else {
    system_.CloseModelessDialog();
  }
  system_.SetMenuCheck(kToggleStats, game_.statsOpen);
}

void MainWindow::OnTimer() {
  game::Tick(game_, *this);
}

void MainWindow::OnMouseDown(int x, int y) {
  game::Press(game_, x, y);
}

void MainWindow::OnMouseUp(int x, int y) {
  game::Release(game_, *this, x, y);
}

void MainWindow::DrawCell(int column, int row, std::uint8_t code, int frame) {
  if (platform::Surface* surface = system_.WindowSurface()) {
    gfx::DrawCell(*surface, sheet_, game_.layout.board_origin, column, row, code, frame);
  }
}

void MainWindow::DrawBoard() {
  if (platform::Surface* surface = system_.WindowSurface()) {
    gfx::DrawBoard(*surface, sheet_, game_.layout.board_origin, game_.supply.board);
  }
}

void MainWindow::DrawNextBalls() {
  if (platform::Surface* surface = system_.WindowSurface()) {
    gfx::DrawNextBalls(*surface, sheet_, game_.layout.preview_origin, game_.supply.next,
                       game_.showNext);
  }
}

void MainWindow::DrawScoreBox(int x, int y, std::uint32_t value) {
  if (platform::Surface* surface = system_.WindowSurface())
    gfx::DrawScoreBox(*surface, x, y, value);
}

void MainWindow::DrawKing(bool full) {
  if (platform::Surface* surface = system_.WindowSurface()) {
    gfx::DrawKing(*surface, sheet_, game_.layout.king_base, game_.figures,
                  records::NameText(game_.records.kingName), full);
  }
}

void MainWindow::DrawPlayer(bool full, bool force_body) {
  if (platform::Surface* surface = system_.WindowSurface()) {
    gfx::DrawPlayer(*surface, sheet_, game_.layout.player_base, game_.figures, full, force_body);
  }
}

void MainWindow::Pause(int milliseconds) {
  system_.Pause(milliseconds);
}

bool MainWindow::Beep() {
  return system_.Beep();
}

void MainWindow::RequestStatsRefresh() {
  if (game_.statsOpen) system_.InvalidateModelessDialog();
}

void MainWindow::ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                                platform::MessageIcon icon) {
  system_.ShowMessageBox(gbk_text, gbk_caption, icon);
}

void MainWindow::RunNameDialog(records::NameBuffer& lastName) {
  dialogs::NameDialog name(system_.ScreenSize(), lastName);
  system_.RunModalDialog(DialogTemplate::kName, name);
}

void MainWindow::ShowRecordsDialog(const records::RecordTable& table) {
  dialogs::RecordsDialog list(system_.ScreenSize(), table);
  system_.RunModalDialog(DialogTemplate::kRecords, list);
}

}  // namespace rolvi::shell
