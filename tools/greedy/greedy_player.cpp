#include "greedy/greedy_player.h"

#include <array>

#include "game/lines.h"

namespace rolvi::greedy {
namespace {

using game::Board;
using game::CellCode;

// Cells reachable from `source` through empty cells, by a plain breadth-first search.
std::array<bool, game::kCellCount> Reachable(const Board& board, int source) {
  std::array<bool, game::kCellCount> seen{};
  std::array<int, game::kCellCount> queue{};
  int head = 0;
  int tail = 0;
  queue[tail++] = source;
  seen[source] = true;
  while (head < tail) {
    const int cell = queue[head++];
    const int x = cell % game::kBoardSide;
    const int y = cell / game::kBoardSide;
    const int steps[4][2] = {{0, -1}, {-1, 0}, {0, 1}, {1, 0}};
    for (const auto& step : steps) {
      const int nx = x + step[0];
      const int ny = y + step[1];
      if (!game::IsOnBoard(nx, ny)) continue;
      const int next = game::CellIndex(nx, ny);
      if (seen[next] || board.cells[next] != game::kEmpty) continue;
      seen[next] = true;
      queue[tail++] = next;
    }
  }
  return seen;
}

// The longest run of `colour` through (x, y) in any direction.
int LongestRun(const Board& board, int x, int y, CellCode colour) {
  int best = 0;
  for (const game::LineDirection& direction : game::kDirectionTable) {
    int run = 1;
    for (const int sign : {1, -1}) {
      for (int step = 1; step < game::kBoardSide; ++step) {
        const int nx = x + sign * direction.dx * step;
        const int ny = y + sign * direction.dy * step;
        if (!game::IsOnBoard(nx, ny) || board.at(nx, ny) != colour) break;
        ++run;
      }
    }
    best = run > best ? run : best;
  }
  return best;
}

std::uint32_t NextRandom(std::uint32_t& seed) {
  seed = seed * 1664525u + 1013904223u;
  return seed >> 8;
}

}  // namespace

std::optional<PlannedMove> ChooseMove(const Board& board, std::uint32_t& seed) {
  std::optional<PlannedMove> best;
  std::uint64_t best_rank = 0;
  for (int source = 0; source < game::kCellCount; ++source) {
    const CellCode colour = board.cells[source];
    if (colour == game::kEmpty) continue;
    const auto reachable = Reachable(board, source);
    for (int target = 0; target < game::kCellCount; ++target) {
      if (target == source || !reachable[target]) continue;
      Board after = board;
      after.cells[source] = game::kEmpty;
      after.cells[target] = colour;
      const int x = target % game::kBoardSide;
      const int y = target / game::kBoardSide;
      const int run = LongestRun(after, x, y, colour);
      const std::uint32_t sum = game::DetectLines(after, x, y, colour);
      // Lines first, then longer runs, then chance.
      const std::uint64_t rank =
          std::uint64_t{sum} << 40 | std::uint64_t(run) << 32 | (NextRandom(seed) & 0xFFFFFFu);
      if (!best || rank > best_rank) {
        best_rank = rank;
        best = PlannedMove{{source % game::kBoardSide, source / game::kBoardSide}, {x, y}, sum};
      }
    }
  }
  return best;
}

}  // namespace rolvi::greedy
