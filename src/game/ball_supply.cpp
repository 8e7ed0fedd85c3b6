#include "game/ball_supply.h"

namespace rolvi::game {
namespace {

constexpr int kAppearFramePause = 50;
constexpr int kSmallBallFrame = 6;
constexpr int kMediumBallFrame = 7;

CellCode RandomColour(GameRandom& random) {
  return static_cast<CellCode>(RandomBelow(random, kColourCount) + kFirstColour);
}

// The empty cell with exactly `k` empty cells before it in row-major order.
int NthEmptyCell(const Board& board, std::uint32_t k) {
  for (int index = 0; index < kCellCount; ++index) {
    if (board.cells[index] != kEmpty) continue;
    if (k == 0) return index;
    --k;
  }
  return -1;
}

}  // namespace

void RefillNextBalls(NextBalls& next, GameRandom& random) {
  for (CellCode& colour : next.colours)
    colour = RandomColour(random);
}

int CountEmptyCells(const Board& board) {
  int empty = 0;
  for (const CellCode code : board.cells)
    empty += code == kEmpty ? 1 : 0;
  return empty;
}

DropOutcome DropBall(BallSupply& supply, const Frontend& frontend) {
  for (;;) {
    const int empty = CountEmptyCells(supply.board);
    if (empty == 0) return DropOutcome::kBoardFull;

    const int index =
        NthEmptyCell(supply.board, RandomBelow(supply.random, static_cast<std::uint32_t>(empty)));
    const int column = index % kBoardSide;
    const int row = index / kBoardSide;

    NextBalls& next = supply.next;
    const CellCode colour = next.colours[0];
    supply.board.cells[index] = colour;
    next.colours[0] = next.colours[1];
    next.colours[1] = next.colours[2];
    next.colours[2] = RandomColour(supply.random);

    frontend.view.DrawCell(column, row, colour, kSmallBallFrame);
    frontend.feedback.Pause(kAppearFramePause);
    frontend.view.DrawCell(column, row, colour, kMediumBallFrame);
    frontend.feedback.Pause(kAppearFramePause);
    frontend.view.DrawCell(column, row, colour, 0);

    if (DetectLines(supply.board, column, row, colour) == 0) return DropOutcome::kLanded;
    RemoveMarkedBalls(supply.board, supply.tally, frontend);
  }
}

}  // namespace rolvi::game
