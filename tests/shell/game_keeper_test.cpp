// The main window keeping its game between runs: when the file is written, removed and read.
#include "shell/game_keeper.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "game/ball_supply.h"
#include "platform/headless/headless_window_system.h"
#include "platform/memory_file_system.h"
#include "shell/main_window.h"
#include "support/ascii_board.h"
#include "support/program_assets.h"

namespace rolvi::shell {
namespace {

using Bytes = platform::MemoryFileSystem::Bytes;

// A program's run on the headless window system, keeping its game in `files`.
class ProgramRun : public platform::HeadlessObserver {
 public:
  ProgramRun(platform::MemoryFileSystem& files, std::uint32_t seed)
      : system(platform::Size{612, 374}, seed, files),
        window(system, testing::ProgramAssets(), RecordSaving::kWhenAResultEnters) {
    system.Attach(window);
    system.SetObserver(this);
    window.KeepGame({&files, std::string(kKeptGameFileName), true,
                     [this](std::string_view line) { reports.emplace_back(line); }});
    system.Create();
    system.Resize(612, 374);
  }

  void Click(game::CellRef cell) {
    const platform::Point centre = CellCentre(window.layout().board_origin, cell);
    window.OnMouseDown(centre.x, centre.y);
    window.OnMouseUp(centre.x, centre.y);
  }
  game::Game& Game() { return const_cast<game::Game&>(window.game()); }

  void OnPause() override {
    if (on_pause) on_pause();
  }
  void OnMessageBox(std::string_view, std::string_view) override {
    if (on_message) on_message();
  }
  void OnDialog(int) override {
    if (on_dialog) on_dialog();
  }

  platform::HeadlessWindowSystem system;
  MainWindow window;
  std::vector<std::string> reports;
  std::function<void()> on_pause, on_message, on_dialog;
};

class GameKeeperTest : public ::testing::Test {
 protected:
  bool Kept() const { return files.files.contains(std::string(kKeptGameFileName)); }
  Bytes KeptBytes() { return files.files.at(std::string(kKeptGameFileName)); }
  game::KeptGame KeptGame() {
    const game::DecodedKeptGame decoded = game::DecodeKeptGame(KeptBytes());
    EXPECT_EQ(decoded.outcome, game::KeptGameRead::kRead);
    return decoded.game;
  }
  static Bytes Image(const game::KeptGame& kept) {
    const game::KeptGameImage image = game::EncodeKeptGame(kept);
    return Bytes(image.begin(), image.end());
  }

  // A ball beside an empty cell; moving it there completes nothing.
  static std::pair<game::CellRef, game::CellRef> SomeStep(const game::Board& board) {
    for (int index = 0; index < game::kCellCount; ++index) {
      const game::CellRef cell{index % 9, index / 9};
      if (board.cells[index] == game::kEmpty || cell.column == 8) continue;
      if (board.at(cell.column + 1, cell.row) == game::kEmpty) {
        return {cell, {cell.column + 1, cell.row}};
      }
    }
    return {};
  }

  platform::MemoryFileSystem files;
};

TEST_F(GameKeeperTest, TheGameIsKeptFromItsStartAndAfterEveryTurnButNotForASelection) {
  ProgramRun run(files, 7);
  ASSERT_TRUE(Kept()) << "the first game, as soon as it stands";
  EXPECT_EQ(KeptBytes(), Image(run.window.KeptState()));

  const auto [ball, empty] = SomeStep(run.window.game().supply.board);
  run.Click(ball);
  run.window.OnTimer();
  const Bytes before = KeptBytes();
  EXPECT_NE(before, Image(run.window.KeptState())) << "selected and ticked since";
  run.Click(empty);
  EXPECT_EQ(KeptBytes(), Image(run.window.KeptState()));
  EXPECT_EQ(KeptGame().supply.board.at(empty.column, empty.row),
            run.window.game().supply.board.at(empty.column, empty.row));

  run.window.OnCommand(512);  // the preview off is kept at once
  EXPECT_FALSE(KeptGame().showNext);
  run.Click(empty);  // a selection alone writes nothing
  EXPECT_EQ(KeptGame().selection, game::SelectionState::kNone);
  // The end of the session keeps the game as it stands, the selection included.
  run.window.OnTimer();
  run.window.OnSessionEnding();
  EXPECT_EQ(KeptBytes(), Image(run.window.KeptState()));
  EXPECT_EQ(KeptGame().selection, game::SelectionState::kSelected);
  EXPECT_TRUE(run.reports.empty());
}

TEST_F(GameKeeperTest, TheNextStartContinuesTheKeptGameWithoutDropsAndWithItsPreviewSetting) {
  game::KeptGame kept;
  {
    ProgramRun first(files, 7);
    const auto [ball, empty] = SomeStep(first.window.game().supply.board);
    first.Click(ball);
    first.Click(empty);
    first.window.OnCommand(512);
    first.Click(empty);  // ends selected
    first.window.OnTimer();
    kept = first.window.KeptState();
    first.system.Destroy();
  }
  ProgramRun second(files, 12345);  // another seed: the kept game's random state wins
  EXPECT_EQ(Image(second.window.KeptState()), Image(kept));
  EXPECT_EQ(second.system.clock_ms(), 0) << "no new game was set up";
  EXPECT_FALSE(second.window.show_next());
  EXPECT_FALSE(second.system.menu_checked(512));
  EXPECT_TRUE(second.reports.empty());
}

TEST_F(GameKeeperTest, AGameOverOrANewGameIsNotKeptAndTheNextGameReplacesIt) {
  ProgramRun run(files, 7);
  // One hole left after the move: the first ball to drop fills the board.
  game::Board board = testing::LineFreeBoard();
  board.at(0, 0) = game::kEmpty;
  run.Game().supply.board = board;
  bool kept_at_message = true;
  run.on_message = [&] {
    kept_at_message = Kept();
    run.window.OnSessionEnding();  // the display goes away at the game-over box
    kept_at_message = kept_at_message || Kept();
  };
  run.Click({1, 0});
  run.Click({0, 0});
  EXPECT_FALSE(kept_at_message) << "a game that ended is not kept";
  ASSERT_TRUE(Kept());
  EXPECT_EQ(game::CountEmptyCells(KeptGame().supply.board), 76) << "the next game";
  EXPECT_EQ(KeptBytes(), Image(run.window.KeptState()));

  // F4 with a result: while its name is asked, nothing is kept.
  run.Game().score.score = 30;
  run.system.name_answers().push_back("Ada");
  bool kept_at_name = true;
  run.on_dialog = [&] {
    kept_at_name = Kept();
    run.on_dialog = nullptr;
  };
  run.window.OnCommand(256);
  EXPECT_FALSE(kept_at_name);
  EXPECT_EQ(KeptGame().score.score, 0);
  EXPECT_EQ(KeptBytes(), Image(run.window.KeptState()));
}

TEST_F(GameKeeperTest, ASessionThatEndsDuringAnAnimationKeepsTheLastTurnsEnd) {
  ProgramRun run(files, 7);
  const auto [ball, empty] = SomeStep(run.window.game().supply.board);
  run.Click(ball);
  run.window.OnTimer();
  const platform::Point centre = CellCentre(run.window.layout().board_origin, empty);
  run.window.OnMouseDown(centre.x, centre.y);
  const Bytes turn_end = Image(run.window.KeptState());
  Bytes kept_mid_move;
  run.on_pause = [&] {
    run.window.OnSessionEnding();
    kept_mid_move = KeptBytes();
    run.on_pause = nullptr;
  };
  run.window.OnMouseUp(centre.x, centre.y);
  EXPECT_EQ(kept_mid_move, turn_end) << "the state before the move, selection and all";
  EXPECT_EQ(KeptBytes(), Image(run.window.KeptState())) << "the turn's end is kept after it";
}

TEST_F(GameKeeperTest, AKeptGameThatCannotBeReadIsReportedOnceAndANewGameStarts) {
  const std::string name(kKeptGameFileName);
  files.files[name] = Bytes(184, 'x');
  {
    ProgramRun run(files, 7);
    EXPECT_EQ(run.reports, std::vector<std::string>{"the kept game in rolvi.game cannot be read "
                                                    "(it is not a kept game); a new game starts"});
    EXPECT_EQ(run.system.clock_ms(), 500) << "a new game's drops";
    EXPECT_EQ(KeptBytes(), Image(run.window.KeptState())) << "and it replaces the bad file";
  }
  // An empty file is no kept game, and nothing to report.
  files.files[name] = {};
  ProgramRun empty(files, 7);
  EXPECT_TRUE(empty.reports.empty());
  EXPECT_EQ(empty.system.clock_ms(), 500);
}

}  // namespace
}  // namespace rolvi::shell
