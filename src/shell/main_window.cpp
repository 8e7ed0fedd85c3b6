#include "shell/main_window.h"

#include <string>
#include <utility>

#include "dialogs/name_dialog.h"
#include "dialogs/records_dialog.h"
#include "dialogs/simple_dialogs.h"
#include "game/turn_flow.h"
#include "gfx/board_renderer.h"
#include "gfx/figures.h"
#include "records/record_file.h"
#include "shell/settings.h"

namespace rolvi::shell {

namespace {

// Counts a handler that plays a turn while it runs.
class TurnUnderWay {
 public:
  explicit TurnUnderWay(int& count) : count_(count) { ++count_; }
  TurnUnderWay(const TurnUnderWay&) = delete;
  TurnUnderWay& operator=(const TurnUnderWay&) = delete;
  ~TurnUnderWay() { --count_; }

 private:
  int& count_;
};

// Points at a dialog while it runs.
class Running {
 public:
  Running(const dialogs::NameDialog*& slot, const dialogs::NameDialog* dialog) : slot_(slot) {
    slot_ = dialog;
  }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;
  ~Running() { slot_ = nullptr; }

 private:
  const dialogs::NameDialog*& slot_;
};

}  // namespace

MainWindow::MainWindow(platform::WindowSystem& system, const Assets& assets, RecordSaving saving,
                       platform::FileSystem* settings_files)
    : system_(system),
      assets_(assets),
      settings_files_(settings_files),
      stats_window_(game_, sheet_, system, layout_.board_origin, symbols_,
                    assets.texts.stats_removed, [this] { OnStatsClosed(); }),
      saving_(saving) {}

void MainWindow::OnCreate() {
  if (platform::Surface* surface = system_.StartDrawing()) {
    sheet_load_ = gfx::LoadSpriteSheet(*surface, assets_.sheet_stream, sheet_);
  }
  const records::LoadResult loaded =
      records::LoadRecords(game_.records, system_.Files(), assets_.texts.default_names);
  if (loaded.outcome == records::LoadOutcome::kUnreadable) {
    // The game goes on with the default table; the player may fix the file and start again.
    ReportFileProblem(assets_.texts.file_problems.not_read, loaded.file_name, loaded.error);
  }
  if (settings_files_ != nullptr && LoadSettings(*settings_files_).ball_symbols) {
    symbols_ = gfx::BallSymbols::kOn;
    system_.SetMenuCheck(CommandNumber(Command::kToggleSymbols), true);
  }
  system_.StartTimer(kTimerPeriodMs);
  game_.turn.frameCounter = 0;
  game_.turn.selection = game::SelectionState::kNone;
  const platform::Size client = system_.ClientSize();
  PlaceAroundBoard(layout_, client.width, client.height);
  show_next_ = true;
  game_.figures = game::FigureState{};
  game::SeedRandom(game_.supply.random, system_.TickCount());
  if (!ResumeKeptGame()) game::SetUpNewGame(game_, frontend());
  Settled();
}

void MainWindow::OnDestroy() {
  KeepRecords();
  KeepGameAtSessionEnd();
  if (stats_open_) {
    system_.CloseModelessDialog();
    stats_open_ = false;
  }
  sheet_ = gfx::SpriteSheet{};
  system_.StopTimer();
}

void MainWindow::OnSessionEnding() {
  KeepRecords();
  KeepGameAtSessionEnd();
}

void MainWindow::OnFilesChanged() {
  reload_records_ = follow_record_ = true;
  Settled();  // the King's new record is kept with the game
}

void MainWindow::TakeStoredRecords() {
  if (turns_under_way_ > 0) return;
  if (reload_records_) {
    reload_records_ = false;
    records::ReloadRecords(game_.records, system_.Files());
  }
  if (follow_record_ && !game_.score.recordBeaten) {
    follow_record_ = false;
    FollowStoredRecord();
  }
}

void MainWindow::FollowStoredRecord() {
  records::RecordBook& book = game_.records;
  const records::RecordEntry& best = book.table[0];
  if (best.score <= book.recordScore) return;
  // Only ever up: the Player, who never sinks, stays where this game's score put him.
  book.recordScore = best.score;
  book.kingName = records::MakeNameBuffer(records::NameText(best.name));
  DrawScoreBox(game::ScoreBox::kRecord, static_cast<std::uint32_t>(book.recordScore));
  DrawKing(game::FigureParts::kAll);
}

void MainWindow::KeepGame(GameKeeping keeping) {
  keeper_.emplace(std::move(keeping));
}

bool MainWindow::ResumeKeptGame() {
  const std::optional<game::KeptGame> kept = keeper_ ? keeper_->Read() : std::nullopt;
  if (!kept) return false;
  game::ResumeGame(game_, *kept);
  show_next_ = kept->showNext;
  if (!show_next_) system_.SetMenuCheck(CommandNumber(Command::kToggleNext), false);
  return true;  // the first paint shows it
}

void MainWindow::Settled() {
  TakeStoredRecords();
  if (keeper_ && turns_under_way_ == 0) keeper_->Settled(KeptState());
}

void MainWindow::KeepGameAtSessionEnd() {
  if (!keeper_) return;
  const game::KeptGame now = KeptState();
  keeper_->SessionEnding(turns_under_way_ == 0 ? &now : nullptr);
}

void MainWindow::GameOver() {
  if (keeper_) keeper_->GameEnded();
}

void MainWindow::KeepRecords() {
  if (saving_ == RecordSaving::kOnceAtEnd && records_saved_) return;
  if (game_.records.pending) {
    game_.records.pending->typed =
        name_dialog_ != nullptr ? name_dialog_->TypedName() : std::nullopt;
  }
  // Nothing is written until a result is in the table.
  const records::SaveResult saved = records::SaveRecords(game_.records, system_.Files());
  if (saved.written()) {
    records_saved_ = true;
    failed_save_told_.reset();
  }
  // A save that fails as the last one did (the result was told, and now the run ends) is not
  // told again: the player knows.
  if (saved.failed() && failed_save_told_ != saved) {
    failed_save_told_ = saved;
    ReportFileProblem(assets_.texts.file_problems.not_saved, saved.file_name, saved.error);
  }
}

void MainWindow::ReportFileProblem(std::string_view first_line, std::string_view file_name,
                                   platform::FileError error) {
  const FileProblemTexts& texts = assets_.texts.file_problems;
  const std::string message = std::string(first_line) + "\n" + system_.Files().Where(file_name) +
                              "\n" + std::string(texts.Reason(error));
  system_.ReportProblem(message, assets_.texts.title);
}

void MainWindow::OnSize(int client_width, int client_height) {
  if (!system_.TouchScreen()) {
    ApplyClientSize(layout_, client_width, client_height);
    return;
  }
  ApplyTouchClientSize(layout_, touch_places_, client_width, client_height);
  system_.PlaceMenuButton(touch_places_.menu_button);
}

void MainWindow::OnPaint(platform::Surface& surface) {
  gfx::SelectSheetPalette(surface, sheet_);
  gfx::DrawBoard(surface, sheet_, layout_.board_origin, game_.supply.board, symbols_);
  DrawCursor(surface);
  if (system_.TouchScreen()) {
    DrawTouchPanels(surface, touch_places_, static_cast<std::uint32_t>(game_.records.recordScore));
  } else {
    gfx::DrawHeaderBar(surface, system_.ClientSize().width, layout_.preview_origin.x,
                       static_cast<std::uint32_t>(game_.records.recordScore), assets_.texts.header);
  }
  gfx::DrawScoreBox(surface, layout_.score_box_origin.x, layout_.score_box_origin.y,
                    static_cast<std::uint32_t>(game_.score.score));
  gfx::DrawNextBalls(surface, sheet_, layout_.preview_origin, game_.supply.next, show_next_,
                     symbols_);
  gfx::DrawKing(surface, sheet_, layout_.king_base, game_.figures,
                records::NameText(game_.records.kingName), game::FigureParts::kAll);
  gfx::DrawPlayer(surface, sheet_, layout_.player_base, game_.figures, assets_.texts.player_plate,
                  game::FigureParts::kAll, game::BodyUnderCrown::kDraw);
}

void MainWindow::OnCommand(int command) {
  // Only the low 16 bits name the command, from a menu and an accelerator alike.
  switch (static_cast<Command>(command & 0xFFFF)) {
    case Command::kNewGame: {
      if (keeper_) keeper_->GameEnded();  // abandoned: the next game replaces it
      {
        TurnUnderWay turn(turns_under_way_);
        game::NewGameCommand(game_, frontend());
      }
      Settled();
      break;
    }
    case Command::kShowRecords:
      ShowRecordsDialog(game_.records.table);
      break;
    case Command::kExit:
      system_.DestroyMainWindow();
      break;
    case Command::kToggleNext:
      ToggleNextBalls();
      break;
    case Command::kToggleStats:
      ToggleStats();
      break;
    case Command::kToggleSymbols:
      ToggleSymbols();
      break;
    case Command::kRules: {
      dialogs::RulesDialog rules(system_.ScreenSize());
      system_.RunModalDialog(DialogNumber(DialogId::kRules), rules);
      break;
    }
    case Command::kAbout: {
      dialogs::AboutDialog about(system_.ScreenSize(), assets_.about_picture, assets_.about_mask);
      system_.RunModalDialog(DialogNumber(DialogId::kAbout), about);
      break;
    }
    default:
      break;
  }
}

void MainWindow::ToggleNextBalls() {
  show_next_ = !show_next_;
  system_.SetMenuCheck(CommandNumber(Command::kToggleNext), show_next_);
  DrawNextBalls();
  Settled();
}

void MainWindow::ToggleStats() {
  stats_open_ = !stats_open_;
  if (stats_open_) {
    // When the window cannot be made the flag and the check mark still say open; the next
    // toggle only clears them.
    system_.OpenModelessDialog(DialogNumber(DialogId::kStatistics), stats_window_);
  } else {
    system_.CloseModelessDialog();
  }
  system_.SetMenuCheck(CommandNumber(Command::kToggleStats), stats_open_);
}

// Redraws every ball at once (a selected ball jumps on at the next tick) and keeps the choice
// where the program keeps user data.
void MainWindow::ToggleSymbols() {
  symbols_ = symbols_ == gfx::BallSymbols::kOn ? gfx::BallSymbols::kOff : gfx::BallSymbols::kOn;
  system_.SetMenuCheck(CommandNumber(Command::kToggleSymbols), ball_symbols());
  DrawBoard();
  DrawNextBalls();
  RequestStatsRefresh();
  if (settings_files_ != nullptr) SaveSettings(*settings_files_, {.ball_symbols = ball_symbols()});
}

void MainWindow::OnStatsClosed() {
  stats_open_ = false;
  system_.SetMenuCheck(CommandNumber(Command::kToggleStats), false);
}

void MainWindow::OnTimer() {
  game::Tick(game_, frontend());
  Settled();
}

bool MainWindow::TimerShowsNothing() const {
  return game::TickDrawsNothing(game_);
}

void MainWindow::OnSkippedTicks(std::uint32_t count) {
  game::SkipTicks(game_, count);
  Settled();
}

void MainWindow::OnMouseDown(int x, int y) {
  HideCursor();
  game::Press(game_, CellAtPoint(layout_.board_origin, x, y));
  Settled();
}

void MainWindow::OnMouseUp(int x, int y) {
  {
    TurnUnderWay turn(turns_under_way_);
    game::Release(game_, frontend(), CellAtPoint(layout_.board_origin, x, y));
  }
  Settled();
}

void MainWindow::ClickCell(game::CellRef cell) {
  game::Press(game_, cell);
  {
    TurnUnderWay turn(turns_under_way_);
    game::Release(game_, frontend(), cell);
  }
  Settled();
}

void MainWindow::DrawCell(int column, int row, game::CellCode code, int frame) {
  if (platform::Surface* surface = system_.StartDrawing()) {
    gfx::DrawCell(*surface, sheet_, layout_.board_origin, column, row, code, frame, symbols_);
    if (cursor_.cell() == game::CellRef{column, row}) DrawCursor(*surface);
  }
}

void MainWindow::DrawBoard() {
  if (platform::Surface* surface = system_.StartDrawing()) {
    gfx::DrawBoard(*surface, sheet_, layout_.board_origin, game_.supply.board, symbols_);
    DrawCursor(*surface);
  }
}

void MainWindow::DrawNextBalls() {
  if (platform::Surface* surface = system_.StartDrawing()) {
    gfx::DrawNextBalls(*surface, sheet_, layout_.preview_origin, game_.supply.next, show_next_,
                       symbols_);
  }
}

void MainWindow::DrawScoreBox(game::ScoreBox box, std::uint32_t value) {
  const Point record =
      system_.TouchScreen() ? touch_places_.record_box_origin : gfx::kRecordBoxOrigin;
  const Point origin = box == game::ScoreBox::kRecord ? record : layout_.score_box_origin;
  if (platform::Surface* surface = system_.StartDrawing()) {
    gfx::DrawScoreBox(*surface, origin.x, origin.y, value);
  }
}

void MainWindow::DrawKing(game::FigureParts parts) {
  if (platform::Surface* surface = system_.StartDrawing()) {
    gfx::DrawKing(*surface, sheet_, layout_.king_base, game_.figures,
                  records::NameText(game_.records.kingName), parts);
  }
}

void MainWindow::DrawPlayer(game::FigureParts parts, game::BodyUnderCrown body) {
  if (platform::Surface* surface = system_.StartDrawing()) {
    gfx::DrawPlayer(*surface, sheet_, layout_.player_base, game_.figures,
                    assets_.texts.player_plate, parts, body);
  }
}

void MainWindow::RequestStatsRefresh() {
  if (stats_open_) system_.InvalidateModelessDialog();
}

void MainWindow::RunNameDialog(records::NameBuffer& lastName) {
  dialogs::NameDialog name(system_.ScreenSize(), lastName, assets_.texts.name_check);
  {
    const Running running(name_dialog_, &name);
    system_.RunModalDialog(DialogNumber(DialogId::kName), name);
  }
  // The result now stands in the table under the accepted name.
  if (saving_ == RecordSaving::kWhenAResultEnters) KeepRecords();
}

void MainWindow::ShowRecordsDialog(const records::RecordTable& table) {
  dialogs::RecordsDialog list(system_.ScreenSize(), table);
  system_.RunModalDialog(DialogNumber(DialogId::kRecords), list);
}

}  // namespace rolvi::shell
