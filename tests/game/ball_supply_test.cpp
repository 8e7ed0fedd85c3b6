#include "game/ball_supply.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "support/ascii_board.h"
#include "support/recording_host.h"

namespace rolvi::game {
namespace {

using testing::DrawnCell;
using testing::HostEvent;
using testing::LineFreeBoard;
using testing::Paused;
using testing::RecordingHost;
using testing::StatsRefresh;

BallSupply SupplyWithSeedOne(const Board& board, NextBalls next) {
  BallSupply supply;
  supply.board = board;
  supply.next = next;
  SeedRandom(supply.random, 1);  // draws 16838, 5758, 10113, 17515, ...
  return supply;
}

std::vector<HostEvent> AppearAnimation(int column, int row, CellCode colour) {
  return {DrawnCell{column, row, colour, 6}, Paused{50}, DrawnCell{column, row, colour, 7},
          Paused{50}, DrawnCell{column, row, colour, 0}};
}

TEST(BallSupplyTest, CountEmptyCellsCountsOnlyExactZero) {
  Board board = LineFreeBoard();
  board.at(0, 0) = kEmpty;
  board.at(8, 8) = kEmpty;
  board.at(3, 3) = kRed | kRemovalMark;
  board.at(4, 3) = 12;  // a wave number
  EXPECT_EQ(CountEmptyCells(board), 2);
}

TEST(BallSupplyTest, DropTakesTheKthEmptyCellInRowMajorOrderIncludingTheLast) {
  // First draw 16838: with 9 empty cells k = 16838 % 9 = 8, the last one.
  Board nine_holes = LineFreeBoard();
  const int holes[9] = {2, 10, 11, 30, 44, 45, 60, 79, 80};
  for (const int index : holes)
    nine_holes.cells[index] = kEmpty;
  BallSupply supply = SupplyWithSeedOne(nine_holes, {{kRed, kGreen, kBlue}});
  RecordingHost host;
  EXPECT_EQ(DropBall(supply, host), DropOutcome::kLanded);
  EXPECT_EQ(supply.board.cells[80], kRed);
  EXPECT_EQ(host.events, AppearAnimation(8, 8, kRed));
  EXPECT_EQ(host.clock_ms, 100);
  // NextBalls moved up; the new third colour is the second draw: 5758 % 7 + 1 = 5.
  EXPECT_EQ(supply.next.colours, (std::array<CellCode, 3>{kGreen, kBlue, 5}));

  // With 2 empty cells k = 16838 % 2 = 0, the first one.
  Board two_holes = LineFreeBoard();
  two_holes.cells[40] = kEmpty;
  two_holes.cells[7] = kEmpty;
  supply = SupplyWithSeedOne(two_holes, {{kBrown, kGreen, kBlue}});
  EXPECT_EQ(DropBall(supply, host), DropOutcome::kLanded);
  EXPECT_EQ(supply.board.cells[7], kBrown);
  EXPECT_EQ(supply.board.cells[40], kEmpty);
}

TEST(BallSupplyTest, LastEmptyCellIsFilledAndThenTheBoardIsFull) {
  Board one_hole = LineFreeBoard();
  one_hole.at(5, 6) = kEmpty;
  BallSupply supply = SupplyWithSeedOne(one_hole, {{kCyan, kRed, kRed}});
  RecordingHost host;
  EXPECT_EQ(DropBall(supply, host), DropOutcome::kLanded);
  EXPECT_EQ(supply.board.at(5, 6), kCyan);
  EXPECT_EQ(CountEmptyCells(supply.board), 0);

  const BallSupply before = supply;
  host.events.clear();
  EXPECT_EQ(DropBall(supply, host), DropOutcome::kBoardFull);
  EXPECT_TRUE(host.events.empty());
  EXPECT_EQ(supply.next, before.next);
  EXPECT_EQ(supply.random.state, before.random.state);
  EXPECT_EQ(supply.board, before.board);
}

TEST(BallSupplyTest, DropThatCompletesALineRemovesItUnscoredAndLandsAnotherBall) {
  Board board = LineFreeBoard();
  for (int column = 0; column < 5; ++column)
    board.at(column, 4) = kRed;
  board.at(2, 4) = kEmpty;  // the gap the first ball fills
  board.at(8, 8) = kEmpty;
  BallSupply supply = SupplyWithSeedOne(board, {{kRed, kGreen, kBlue}});
  supply.tally.removed[kRed] = 3;
  RecordingHost host;

  EXPECT_EQ(DropBall(supply, host), DropOutcome::kLanded);

  // Draw 1 (16838 % 2 = 0) puts red into the gap; draw 2 refills NextBalls. The line of five
  // goes with its usual animation, leaving 6 empty cells: draw 3 (10113 % 6 = 3) lands green
  // on (3, 4), where a red ball stood; draw 4 refills.
  const std::vector<HostEvent> red = AppearAnimation(2, 4, kRed);
  const std::vector<HostEvent> green = AppearAnimation(3, 4, kGreen);
  ASSERT_GT(host.events.size(), red.size() + green.size());
  EXPECT_TRUE(std::equal(red.begin(), red.end(), host.events.begin()));
  EXPECT_TRUE(std::equal(green.rbegin(), green.rend(), host.events.rbegin()));
  EXPECT_EQ(host.Count<StatsRefresh>(), 1);

  EXPECT_EQ(supply.tally.removed[kRed], 8u);
  EXPECT_EQ(supply.board.at(3, 4), kGreen);
  EXPECT_EQ(CountEmptyCells(supply.board), 5);
  EXPECT_EQ(supply.next.colours, (std::array<CellCode, 3>{kBlue, 5, 2}));
}

}  // namespace
}  // namespace rolvi::game
