#include "game/lines.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <string>
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

// One detection on a board: from the ball at (column, row), the sum it must give.
struct Detection {
  int column;
  int row;
  unsigned sum;
};

// Runs each detection on its own copy of the pictured board, in which lower-case letters are
// the balls that some detection must mark for removal and upper-case ones the balls none may.
void ExpectLines(std::string picture, std::initializer_list<Detection> detections) {
  std::string cells;
  for (char& c : picture) {
    if (c == ' ' || c == '\n') continue;
    cells.push_back(c);
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  const Board start = BoardFromAscii(picture);
  std::array<bool, kCellCount> marked{};
  for (const Detection& d : detections) {
    Board board = start;
    EXPECT_EQ(DetectLines(board, d.column, d.row, start.at(d.column, d.row)), d.sum)
        << "from " << d.column << "," << d.row;
    for (int index = 0; index < kCellCount; ++index)
      marked[index] = marked[index] || (board.cells[index] & kRemovalMark) != 0;
  }
  for (int index = 0; index < kCellCount; ++index) {
    EXPECT_EQ(marked[index], std::islower(static_cast<unsigned char>(cells[index])) != 0)
        << "cell " << index % 9 << "," << index / 9;
  }
}

// Each picture holds several lines far enough apart that no detection reaches another's balls.
TEST(DetectLinesTest, RowsColumnsAndEdgesCountFromAnyOfTheirBallsButFourDoNot) {
  ExpectLines(R"(
    ccccc...m
    ........m
    ........m
    ........m
    ..ggggg.m
    RRRR.....
    .R.......
    R.R......
    nnnnn....)",
              {{4, 0, 5}, {8, 2, 5}, {2, 4, 5}, {4, 4, 5}, {6, 4, 5}, {0, 5, 0}, {0, 8, 5}});
}

TEST(DetectLinesTest, DiagonalsInBothDirectionsAndRunsThatStopAtAnotherColourOrAGap) {
  ExpectLines(R"(
    b........
    .b......y
    ..b....y.
    ...b..y..
    ....by...
    ....y....
    .........
    RRBrrrrr.
    RR.RRR...)",
              {{2, 2, 5}, {4, 5, 5}, {5, 7, 5}, {4, 8, 0}});
}

TEST(DetectLinesTest, LinesThroughTheBallAddUpAndARayTakesAtMostSevenSteps) {
  // A cross of fives sums ten and removes nine balls; a diagonal of four beside a row of six
  // does not count; from the end of a full column the ninth ball stays.
  ExpectLines(R"(
    ..m.....y
    ..m.....y
    mmmmm...y
    ..m.....y
    ..m.....y
    .R......y
    ..R.....y
    .rrrrrr.y
    ....R...Y)",
              {{2, 2, 10}, {3, 7, 6}, {8, 0, 8}});
  // Four full lines: 36, with the centre counted in each.
  ExpectLines(R"(
    b...b...b
    .b..b..b.
    ..b.b.b..
    ...bbb...
    bbbbbbbbb
    ...bbb...
    ..b.b.b..
    .b..b..b.
    b...b...b)",
              {{4, 4, 36}});
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
