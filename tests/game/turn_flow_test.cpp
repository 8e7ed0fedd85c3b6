#include "game/turn_flow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <variant>

#include "game/lines.h"
#include "support/ascii_board.h"
#include "support/recording_host.h"

namespace rolvi::game {
namespace {

using testing::BoardFromAscii;
using testing::DrawnCell;
using testing::HostEvent;
using testing::IsDrop;
using testing::MessageShown;
using testing::NextBallsDrawn;
using testing::Paused;
using testing::RecordingHost;
using testing::ScoreBoxDrawn;

class TurnFlowTest : public ::testing::Test {
 protected:
  TurnFlowTest() {
    SeedRandom(game.supply.random, 1);
    game.supply.next.colours = {kRed, kGreen, kBlue};
  }

  void Click(int column, int row) {
    Press(game, CellRef{column, row});
    Release(game, host, CellRef{column, row});
  }

  // Events up to (not including) the first ball that the turn's drops land.
  std::vector<HostEvent> EventsBeforeDrops() const {
    return {host.events.begin(), std::find_if(host.events.begin(), host.events.end(), IsDrop)};
  }

  Game game;
  RecordingHost host;
};

TEST_F(TurnFlowTest, OnlyAPressAndReleaseOnTheSameBallSelectsIt) {
  game.supply.board.at(2, 2) = kRed;
  const CellRef ball{2, 2};
  Click(4, 4);  // an empty cell
  Tick(game, host);
  Tick(game, host);  // without a selection ticks only count
  EXPECT_EQ(game.turn.frameCounter, 2u);

  Press(game, ball);
  Release(game, host, CellRef{3, 2});  // another cell
  EXPECT_EQ(game.turn.selection, SelectionState::kNone);
  Press(game, std::nullopt);  // beside the board
  Release(game, host, ball);
  EXPECT_EQ(game.turn.selection, SelectionState::kNone);

  // The press record stays for later releases, however long ago it was made.
  Press(game, ball);
  Release(game, host, std::nullopt);
  Release(game, host, ball);
  EXPECT_EQ(game.turn.selection, SelectionState::kSelected);
  EXPECT_TRUE(host.events.empty());
}

TEST_F(TurnFlowTest, SelectedBallJumpsOnEveryTickAndReselectionRestsThePreviousOne) {
  game.supply.board.at(1, 7) = kCyan;
  game.supply.board.at(5, 5) = kBlue;
  Click(1, 7);
  EXPECT_EQ(game.turn.frameCounter, 3u);
  EXPECT_TRUE(host.events.empty());  // nothing drawn until the next tick
  for (int tick = 0; tick < 7; ++tick)
    Tick(game, host);
  std::vector<HostEvent> jumps;
  for (const int frame : {4, 5, 0, 1, 2, 3, 4})
    jumps.push_back(DrawnCell{1, 7, kCyan, frame});
  EXPECT_EQ(host.events, jumps);

  // Another ball: the first is drawn at rest and the counter (10) keeps its high bits.
  host.events.clear();
  Click(5, 5);
  EXPECT_EQ(host.events, (std::vector<HostEvent>{DrawnCell{1, 7, kCyan, 0}}));
  EXPECT_EQ(game.turn.selectedCell, (CellRef{5, 5}));
  EXPECT_EQ(game.turn.frameCounter, 11u);
  Tick(game, host);
  EXPECT_EQ(host.events.back(), HostEvent(DrawnCell{5, 5, kBlue, 0}));

  // A click on the selected ball itself shows it at rest and keeps it selected.
  host.events.clear();
  Click(5, 5);
  EXPECT_EQ(host.events, (std::vector<HostEvent>{DrawnCell{5, 5, kBlue, 0}}));
  EXPECT_EQ(game.turn.selection, SelectionState::kSelected);
}

TEST_F(TurnFlowTest, UnreachableCellBeepsOrWithoutSoundBlinksTheBallAndKeepsTheSelection) {
  game.supply.board = BoardFromAscii(R"(
    G.R......
    RR.......
    .........
    .........
    .........
    .........
    .........
    .........
    .........)");
  const Board before = game.supply.board;
  Click(0, 0);
  Click(5, 5);
  EXPECT_EQ(host.events, (std::vector<HostEvent>{testing::Beeped{}}));

  // A front end without sound blinks the refused ball once instead.
  host.events.clear();
  host.beep_sounds = false;
  Click(5, 5);
  EXPECT_EQ(host.events,
            (std::vector<HostEvent>{testing::Beeped{}, DrawnCell{0, 0, kEmpty, 0},
                                    testing::Paused{120}, DrawnCell{0, 0, kGreen, 0}}));
  EXPECT_EQ(game.turn.selection, SelectionState::kSelected);
  EXPECT_EQ(game.supply.board, before);
}

TEST_F(TurnFlowTest, MoveToANeighbourDrawsOneStepFinishesTheJumpAndDropsThreeBalls) {
  game.supply.board.at(4, 4) = kYellow;
  Click(4, 4);
  Click(5, 4);
  EXPECT_EQ(game.turn.selection, SelectionState::kNone);
  const std::vector<HostEvent> expected = {
      DrawnCell{4, 4, kEmpty, 0},  DrawnCell{5, 4, kYellow, 0}, Paused{50},
      DrawnCell{5, 4, kYellow, 1}, DrawnCell{5, 4, kYellow, 2}, DrawnCell{5, 4, kYellow, 3},
      DrawnCell{5, 4, kYellow, 4}, DrawnCell{5, 4, kYellow, 5}};
  EXPECT_EQ(EventsBeforeDrops(), expected);
  EXPECT_EQ(game.supply.board.at(5, 4), kYellow);
  // No line: three balls drop, then the preview and the statistics are redrawn.
  EXPECT_EQ(CountEmptyCells(game.supply.board), 81 - 4);
  EXPECT_EQ(host.Count<NextBallsDrawn>(), 1);
  EXPECT_EQ(host.events.back(), HostEvent(testing::StatsRefresh{}));
}

TEST_F(TurnFlowTest, LongerMovesCycleTheJumpFramesAndPauseEveryStep) {
  // Seven cells end on frame 5 with the last step; eight need finishing frames after it.
  for (const int length : {7, 8}) {
    SCOPED_TRACE(length);
    host.events.clear();
    game.supply.board = Board{};
    game.supply.board.at(0, 8) = kMagenta;
    Click(0, 8);
    Click(length - 1, 8);  // a straight route along row 8
    const std::vector<HostEvent> events = EventsBeforeDrops();

    std::vector<int> moving;
    for (const HostEvent& event : events) {
      if (const auto* cell = std::get_if<DrawnCell>(&event); cell && cell->code == kMagenta) {
        moving.push_back(cell->frame);
      }
    }
    EXPECT_EQ(std::count(events.begin(), events.end(), HostEvent(Paused{50})), length - 1);
    const std::vector<int> cycles{0, 1, 2, 3, 4, 5, 0, 1, 2, 3, 4, 5};
    EXPECT_EQ(moving, std::vector<int>(cycles.begin(), cycles.begin() + (length == 7 ? 6 : 12)));
    EXPECT_EQ(std::holds_alternative<Paused>(events.back()), length == 7);
  }
}

TEST_F(TurnFlowTest, ScoringMoveAddsLineScoreAndDropsNothing) {
  game.supply.board = BoardFromAscii(R"(
    .........
    .........
    .........
    .........
    RRRR.....
    .........
    .....R...
    .........
    .........)");
  const NextBalls next = game.supply.next;
  Click(5, 6);
  Click(4, 4);
  EXPECT_EQ(game.score.score, 10);
  EXPECT_EQ(game.supply.tally.removed[kRed], 5u);
  EXPECT_EQ(game.supply.board, Board{});
  EXPECT_EQ(game.supply.next, next);
  EXPECT_EQ(host.Count<NextBallsDrawn>(), 0);
  EXPECT_EQ(host.Count<ScoreBoxDrawn>(), 1);
}

TEST_F(TurnFlowTest, FillingTheLastCellsEndsTheGameAndStartsANewOne) {
  // A full board but for two cells, without any chance of a line.
  game.supply.board = testing::LineFreeBoard();
  game.supply.board.at(8, 8) = kEmpty;
  game.supply.board.at(1, 0) = kEmpty;  // the ball at (2, 0) moves here, leaving (2, 0) empty
  game.score.score = 150;               // qualifies for the table
  host.dialogs.answers.push_back("Winner");
  Click(2, 0);
  Click(1, 0);

  const auto game_over =
      std::find(host.events.begin(), host.events.end(),
                HostEvent(MessageShown{" \xCD\xE6  \xCD\xEA  !", "Color rolvi"}));
  ASSERT_NE(game_over, host.events.end());
  // Between the move and the message box: three drops of which the last found no room.
  EXPECT_EQ(std::count_if(host.events.begin(), game_over, IsDrop), 2);
  // The statistics window shows the full board while the box is up: it is refreshed after
  // the last ball landed, before the box.
  const auto last_drop =
      std::find_if(std::make_reverse_iterator(game_over), host.events.rend(), IsDrop);
  ASSERT_NE(last_drop, host.events.rend());
  EXPECT_EQ(std::count(last_drop.base(), game_over, HostEvent(testing::StatsRefresh{})), 1);
  EXPECT_EQ(host.dialogs.shown.size(), 1u);  // after the name was asked
  EXPECT_EQ(records::NameText(game.records.table[0].name), "Winner");
  EXPECT_EQ(game.records.table[0].score, 150);
  // The record was not beaten in play (recordBeaten was never set), so the King stays.
  EXPECT_EQ(game.records.recordScore, 100);
  EXPECT_EQ(CountEmptyCells(game.supply.board), 76);  // the next game's five balls
}

TEST_F(TurnFlowTest, NewGameWithScoreZeroOpensNoDialogAndSetsUpTheBoard) {
  game.supply.board.at(3, 3) = kRed;
  game.turn.selection = SelectionState::kSelected;
  game.supply.tally.removed[kRed] = 9;
  game.figures.playerOffset = 117;
  NewGameCommand(game, host);

  EXPECT_EQ(game.turn.selection, SelectionState::kNone);
  EXPECT_TRUE(host.dialogs.offered.empty() && host.dialogs.shown.empty());
  EXPECT_EQ(game.figures.playerOffset, 125);
  EXPECT_EQ(CountEmptyCells(game.supply.board), 76);
  EXPECT_EQ(game.supply.tally, RemovalTally{});
  // The set-up ends with both score boxes and the preview, then the statistics refresh.
  const std::vector<HostEvent> tail(host.events.end() - 4, host.events.end());
  EXPECT_EQ(tail, (std::vector<HostEvent>{ScoreBoxDrawn{ScoreBox::kRecord, 100},
                                          ScoreBoxDrawn{ScoreBox::kCurrent, 0}, NextBallsDrawn{},
                                          testing::StatsRefresh{}}));
}

}  // namespace
}  // namespace rolvi::game
