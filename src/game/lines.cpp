#include "game/lines.h"

namespace rolvi::game {
namespace {

// A ray never takes more than 7 steps; between turns no run of five stands on the board, so
// this never shortens a line that play can produce.
constexpr int kMaxRaySteps = 7;
constexpr int kMinLine = 5;

constexpr int kRemovalFramePause = 50;
constexpr int kBurstFrame = 8;
constexpr int kFadingBurstFrame = 9;

std::uint32_t MarkRay(Board& board, int column, int row, int dx, int dy, CellCode colour) {
  std::uint32_t marked = 0;
  for (int step = 1; step <= kMaxRaySteps; ++step) {
    const int x = column + dx * step;
    const int y = row + dy * step;
    if (!IsOnBoard(x, y) || board.at(x, y) != colour) break;
    board.at(x, y) |= kRemovalMark;
    ++marked;
  }
  return marked;
}

// Takes marks off along a ray up to the board edge, whatever the cells hold; only cells this
// direction marked carry a mark there, as rays of different directions share no cell.
void UnmarkRay(Board& board, int column, int row, int dx, int dy) {
  for (int step = 1; step <= kMaxRaySteps; ++step) {
    const int x = column + dx * step;
    const int y = row + dy * step;
    if (!IsOnBoard(x, y)) break;
    board.at(x, y) &= kColourMask;
  }
}

template <typename Visit>
void ForEachMarkedCell(const Board& board, Visit visit) {
  for (int row = 0; row < kBoardSide; ++row) {
    for (int column = 0; column < kBoardSide; ++column) {
      if (board.at(column, row) & kRemovalMark) visit(column, row);
    }
  }
}

}  // namespace

std::uint32_t DetectLines(Board& board, int column, int row, CellCode colour) {
  std::uint32_t sum = 0;
  for (const LineDirection& direction : kDirectionTable) {
    std::uint32_t run = 1;
    run += MarkRay(board, column, row, direction.dx, direction.dy, colour);
    run += MarkRay(board, column, row, -direction.dx, -direction.dy, colour);
    if (run >= kMinLine) {
      sum += run;
    } else {
      UnmarkRay(board, column, row, direction.dx, direction.dy);
      UnmarkRay(board, column, row, -direction.dx, -direction.dy);
    }
  }
  if (sum > 0) board.at(column, row) = colour | kRemovalMark;
  return sum;
}

void RemoveMarkedBalls(Board& board, RemovalTally& tally, const Frontend& frontend) {
  for (const int frame : {kBurstFrame, kFadingBurstFrame}) {
    ForEachMarkedCell(board, [&](int column, int row) {
      frontend.view.DrawCell(column, row, board.at(column, row), frame);
    });
    frontend.feedback.Pause(kRemovalFramePause);
  }

  std::uint32_t count = 0;
  CellCode colour = kEmpty;
  ForEachMarkedCell(board, [&](int column, int row) {
    colour = board.at(column, row) & kColourMask;
    board.at(column, row) = kEmpty;
    ++count;
    frontend.view.DrawCell(column, row, kEmpty, 0);
  });
  frontend.feedback.Pause(kRemovalFramePause);

  if (colour < tally.removed.size()) tally.removed[colour] += count;
  frontend.view.RequestStatsRefresh();
}

std::uint32_t LineScore(std::uint32_t n) {
  std::uint32_t points = 10;
  std::uint32_t step = 2;
  for (std::uint32_t extra = kMinLine; extra < n; ++extra) {
    points += step;
    step += 4;
  }
  return points;
}

}  // namespace rolvi::game
