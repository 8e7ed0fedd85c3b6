#include "game/path_finder.h"

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <utility>
#include <vector>

#include "game/game_random.h"
#include "support/ascii_board.h"

namespace rolvi::game {
namespace {

using testing::BoardFromAscii;

using Cells = std::vector<std::pair<int, int>>;  // (row, column), as the examples give them

// Finds a route on `board` from (row, column) to (row, column) with a ball placed at the source.
Cells RouteBetween(Board board, std::pair<int, int> from, std::pair<int, int> to) {
  board.at(from.second, from.first) = kRed;
  const Board before = board;
  MovePath path;
  const Route route = FindPath(board, path, from.second, from.first, to.second, to.first);
  EXPECT_EQ(board, before) << "the board must come back unchanged";
  Cells cells;
  for (int i = 0; route == Route::kFound && i < path.length; ++i)
    cells.emplace_back(path.cells[i].row, path.cells[i].column);
  return cells;
}

// The cells of a route that runs straight from corner to corner (row, column).
Cells Through(std::initializer_list<std::pair<int, int>> corners) {
  Cells cells{*corners.begin()};
  for (const auto& [row, column] : corners) {
    while (cells.back() != std::pair{row, column}) {
      const auto [r, c] = cells.back();
      cells.emplace_back(r + (row > r) - (row < r), c + (column > c) - (column < c));
    }
  }
  return cells;
}

TEST(PathFinderTest, RoutesOnAnEmptyBoardTakeTheFewestBendsTheTieBreakAllows) {
  const struct {
    std::pair<int, int> from, to;
    Cells route;
  } cases[] = {
      {{0, 0}, {2, 2}, Through({{0, 0}, {0, 2}, {2, 2}})},
      {{2, 2}, {0, 0}, Through({{2, 2}, {2, 0}, {0, 0}})},
      {{4, 4}, {3, 5}, Through({{4, 4}, {3, 4}, {3, 5}})},
      {{4, 4}, {5, 3}, Through({{4, 4}, {4, 3}, {5, 3}})},
      {{4, 4}, {4, 5}, Through({{4, 4}, {4, 5}})},
      {{0, 0}, {8, 8}, Through({{0, 0}, {0, 8}, {8, 8}})},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RouteBetween(Board{}, c.from, c.to), c.route)
        << c.from.first << "," << c.from.second << " to " << c.to.first << "," << c.to.second;
  }
}

TEST(PathFinderTest, AWallIsPassedThroughItsOnlyGapAndAClosedOneBlocksTheRoute) {
  Board board = BoardFromAscii(R"(
    ....R....
    ....R....
    ....R....
    ....R....
    ....R....
    ....R....
    ....R....
    ....R....
    .........)");
  EXPECT_EQ(RouteBetween(board, {0, 0}, {0, 8}),
            Through({{0, 0}, {0, 3}, {8, 3}, {8, 5}, {0, 5}, {0, 8}}));

  // With the gap closed the route is blocked, and neither the board nor the last path found
  // changes.
  board.at(4, 8) = kRed;
  board.at(0, 0) = kBlue;
  MovePath path;
  ASSERT_EQ(FindPath(board, path, 0, 0, 1, 0), Route::kFound);
  const MovePath previous = path;
  const Board before = board;
  EXPECT_EQ(FindPath(board, path, 0, 0, 8, 0), Route::kBlocked);
  EXPECT_EQ(board, before);
  EXPECT_EQ(path, previous);
}

// Breadth-first distances from one cell through empty cells, written independently of the
// sweep-based flood, to check that every route found is a shortest one.
std::array<int, kCellCount> Distances(const Board& board, int column, int row) {
  std::array<int, kCellCount> distance;
  distance.fill(-1);
  std::deque<std::pair<int, int>> queue{{column, row}};
  distance[CellIndex(column, row)] = 0;
  while (!queue.empty()) {
    const auto [x, y] = queue.front();
    queue.pop_front();
    const std::array<std::pair<int, int>, 4> steps = {{{0, -1}, {-1, 0}, {0, 1}, {1, 0}}};
    for (const auto& [dx, dy] : steps) {
      const int nx = x + dx;
      const int ny = y + dy;
      if (!IsOnBoard(nx, ny) || board.at(nx, ny) != kEmpty || distance[CellIndex(nx, ny)] >= 0)
        continue;
      distance[CellIndex(nx, ny)] = distance[CellIndex(x, y)] + 1;
      queue.emplace_back(nx, ny);
    }
  }
  return distance;
}

TEST(PathFinderTest, RoutesOnRandomBoardsAreShortestAndStepThroughEmptyCells) {
  GameRandom random;
  SeedRandom(random, 2024);
  for (int trial = 0; trial < 300; ++trial) {
    Board board;
    const std::uint32_t fill = RandomBelow(random, 60);
    for (CellCode& code : board.cells) {
      code = RandomBelow(random, 100) < fill ? static_cast<CellCode>(1 + RandomBelow(random, 7))
                                             : kEmpty;
    }
    const int source = static_cast<int>(RandomBelow(random, kCellCount));
    const int destination = static_cast<int>(RandomBelow(random, kCellCount));
    if (source == destination) continue;
    board.cells[source] = kYellow;
    board.cells[destination] = kEmpty;
    const int sx = source % 9, sy = source / 9, dx = destination % 9, dy = destination / 9;

    const Board before = board;
    const auto distance = Distances(board, sx, sy);
    MovePath path;
    const Route route = FindPath(board, path, sx, sy, dx, dy);
    ASSERT_EQ(board, before);
    ASSERT_EQ(route == Route::kFound, distance[destination] >= 0);
    if (route == Route::kBlocked) continue;

    ASSERT_EQ(path.length, distance[destination] + 1);
    EXPECT_EQ(path.cells[0], (CellRef{sx, sy}));
    EXPECT_EQ(path.cells[path.length - 1], (CellRef{dx, dy}));
    for (int i = 1; i < path.length; ++i) {
      const CellRef a = path.cells[i - 1];
      const CellRef b = path.cells[i];
      EXPECT_EQ(std::abs(a.row - b.row) + std::abs(a.column - b.column), 1) << "step " << i;
      EXPECT_EQ(board.at(b.column, b.row), kEmpty) << "step " << i;
    }
  }
}

}  // namespace
}  // namespace rolvi::game
