#include "game/lines.h"

#include <gtest/gtest.h>

#include <variant>

#include "support/ascii_board.h"
#include "support/recording_host.h"

namespace rolvi::game {
namespace {

using testing::BoardFromAscii;
using testing::DrawnCell;
using testing::HostEvent;
using testing::Paused;
using testing::RecordingHost;
using testing::StatsRefresh;

int CountMarked(const Board& board) {
  int marked = 0;
  for (const CellCode code : board.cells)
    marked += (code & kRemovalMark) ? 1 : 0;
  return marked;
}

TEST(DetectLinesTest, FourInARowIsNoLineAndLeavesNoMark) {
  Board board = BoardFromAscii(R"(
    .........
    .........
    .........
    .........
    RRRR.....
    .R.......
    R.R......
    .........
    .........)");
  EXPECT_EQ(DetectLines(board, 0, 4, kRed), 0u);
  EXPECT_EQ(CountMarked(board), 0);
  EXPECT_EQ(board.at(1, 5), kRed);
}

TEST(DetectLinesTest, FiveCountTheSameWithTheCentreInTheMiddleOrAtAnEnd) {
  const Board row = BoardFromAscii(R"(
    .........
    .........
    .........
    .........
    ..GGGGG..
    .........
    .........
    .........
    .........)");
  Board middle = row;
  EXPECT_EQ(DetectLines(middle, 4, 4, kGreen), 5u);
  EXPECT_EQ(CountMarked(middle), 5);
  Board end = row;
  EXPECT_EQ(DetectLines(end, 2, 4, kGreen), 5u);
  EXPECT_EQ(CountMarked(end), 5);
  EXPECT_EQ(end.at(2, 4), kGreen | kRemovalMark);
}

TEST(DetectLinesTest, DiagonalsInBothDirectionsAndAlongTheEdges) {
  Board falling = BoardFromAscii(R"(
    B........
    .B.......
    ..B......
    ...B.....
    ....B....
    .........
    .........
    .........
    .........)");
  EXPECT_EQ(DetectLines(falling, 2, 2, kBlue), 5u);
  EXPECT_EQ(CountMarked(falling), 5);

  Board rising = BoardFromAscii(R"(
    .........
    .........
    .........
    .........
    ........Y
    .......Y.
    ......Y..
    .....Y...
    ....Y....)");
  EXPECT_EQ(DetectLines(rising, 4, 8, kYellow), 5u);
  EXPECT_EQ(CountMarked(rising), 5);

  Board edges = BoardFromAscii(R"(
    CCCCC...M
    ........M
    ........M
    ........M
    ........M
    .........
    .........
    .........
    NNNNN....)");
  EXPECT_EQ(DetectLines(edges, 4, 0, kCyan), 5u);
  EXPECT_EQ(DetectLines(edges, 8, 2, kMagenta), 5u);
  EXPECT_EQ(DetectLines(edges, 0, 8, kBrown), 5u);
  EXPECT_EQ(CountMarked(edges), 15);
}

TEST(DetectLinesTest, RunStopsAtAnotherColourOrAGap) {
  Board board = BoardFromAscii(R"(
    .........
    .........
    .........
    .........
    RRBRRRRR.
    .........
    RR.RRR...
    .........
    .........)");
  // Only columns 3..7 of row 4 join column 5: the blue ball cuts off the two reds before it.
  EXPECT_EQ(DetectLines(board, 5, 4, kRed), 5u);
  EXPECT_EQ(board.at(1, 4), kRed);
  EXPECT_EQ(board.at(3, 4), kRed | kRemovalMark);
  // Row 6 has four on the right side of the gap only.
  EXPECT_EQ(DetectLines(board, 4, 6, kRed), 0u);
  EXPECT_EQ(board.at(0, 6), kRed);
}

TEST(DetectLinesTest, CrossingLinesSumTenAndRemoveNineBalls) {
  Board board = BoardFromAscii(R"(
    .........
    .........
    ....M....
    ....M....
    ..MMMMM..
    ....M....
    ....M....
    .........
    .........)");
  EXPECT_EQ(DetectLines(board, 4, 4, kMagenta), 10u);
  EXPECT_EQ(LineScore(10), 60u);
  EXPECT_EQ(CountMarked(board), 9);

  RecordingHost host;
  RemovalTally tally;
  tally.removed[kMagenta] = 4;
  RemoveMarkedBalls(board, tally, host);
  EXPECT_EQ(tally.removed[kMagenta], 13u);
  EXPECT_EQ(board, Board{});
}

TEST(DetectLinesTest, ShortDiagonalKeepsItsBallsUnmarkedBesideALineOfSix) {
  Board board = BoardFromAscii(R"(
    .........
    .........
    .........
    .R.......
    ..R......
    .RRRRRR..
    ....R....
    .........
    .........)");
  // Centre (3, 5): a row of six, and a falling diagonal of four that must not count.
  EXPECT_EQ(DetectLines(board, 3, 5, kRed), 6u);
  EXPECT_EQ(CountMarked(board), 6);
  EXPECT_EQ(board.at(1, 3), kRed);
  EXPECT_EQ(board.at(2, 4), kRed);
  EXPECT_EQ(board.at(4, 6), kRed);
}

TEST(DetectLinesTest, NineFromFillingTheGapBetweenFourAndFour) {
  Board board = BoardFromAscii(R"(
    G........
    .G.......
    ..G......
    ...G.....
    .........
    .....G...
    ......G..
    .......G.
    ........G)");
  board.at(4, 4) = kGreen;
  EXPECT_EQ(DetectLines(board, 4, 4, kGreen), 9u);
  EXPECT_EQ(LineScore(9), 42u);
  EXPECT_EQ(CountMarked(board), 9);
}

TEST(DetectLinesTest, FourFullLinesThroughTheCentreGiveThirtySix) {
  Board board = BoardFromAscii(R"(
    B...B...B
    .B..B..B.
    ..B.B.B..
    ...BBB...
    BBBBBBBBB
    ...BBB...
    ..B.B.B..
    .B..B..B.
    B...B...B)");
  EXPECT_EQ(DetectLines(board, 4, 4, kBlue), 36u);
  EXPECT_EQ(CountMarked(board), 33);
  EXPECT_EQ(LineScore(36), 1932u);
}

TEST(DetectLinesTest, RayOfSevenStepsLeavesTheNinthBallOfAFullRowUnmarked) {
  Board board = BoardFromAscii(R"(
    .........
    .........
    .........
    .........
    YYYYYYYYY
    .........
    .........
    .........
    .........)");
  EXPECT_EQ(DetectLines(board, 0, 4, kYellow), 8u);
  EXPECT_EQ(board.at(8, 4), kYellow);
  EXPECT_EQ(board.at(7, 4), kYellow | kRemovalMark);
}

TEST(RemoveMarkedBallsTest, PlaysThreePassesInRowMajorOrderWithPauses) {
  Board board = BoardFromAscii(R"(
    .........
    .........
    .......C.
    ......C..
    .....C...
    ....C....
    ...C.....
    .........
    .........)");
  ASSERT_EQ(DetectLines(board, 5, 4, kCyan), 5u);
  RecordingHost host;
  RemovalTally tally;
  RemoveMarkedBalls(board, tally, host);

  const CellCode marked = kCyan | kRemovalMark;
  const int cells[5][2] = {{7, 2}, {6, 3}, {5, 4}, {4, 5}, {3, 6}};
  std::vector<HostEvent> expected;
  for (const int frame : {8, 9}) {
    for (const auto& cell : cells)
      expected.push_back(DrawnCell{cell[0], cell[1], marked, frame});
    expected.push_back(Paused{50});
  }
  for (const auto& cell : cells)
    expected.push_back(DrawnCell{cell[0], cell[1], kEmpty, 0});
  expected.push_back(Paused{50});
  expected.push_back(StatsRefresh{});

  EXPECT_EQ(host.events, expected);
  EXPECT_EQ(host.clock_ms, 150);
  EXPECT_EQ(tally.removed[kCyan], 5u);
  EXPECT_EQ(board, Board{});
}

TEST(LineScoreTest, GrowsWithTheSquareOfTheExcess) {
  const std::uint32_t expected[] = {10,  12,  18,  28,  42,  60,  82,  108,
                                    138, 172, 210, 252, 298, 348, 402, 460};
  for (std::uint32_t n = 5; n <= 20; ++n)
    EXPECT_EQ(LineScore(n), expected[n - 5]) << "n = " << n;
  EXPECT_EQ(LineScore(36), 1932u);
}

}  // namespace
}  // namespace rolvi::game
