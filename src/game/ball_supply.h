// The supply of new balls: the three colours shown in the preview (NextBalls), refilling
// them, counting empty cells, and dropping a ball on a random empty cell with its growing
// animation and the line check around it.
#pragma once

#include <array>
#include <cstdint>

#include "game/board.h"
#include "game/game_random.h"
#include "game/lines.h"

namespace rolvi::game {

// colours[0] lands next, then colours[1], then colours[2]; the preview shows them in order.
struct NextBalls {
  std::array<CellCode, 3> colours{};

  friend bool operator==(const NextBalls&, const NextBalls&) = default;
};

// The position of a game in progress and everything that decides where balls land.
struct BallSupply {
  Board board;
  NextBalls next;
  GameRandom random;
  RemovalTally tally;
};

enum class DropOutcome { kLanded, kBoardFull };

void RefillNextBalls(NextBalls& next, GameRandom& random);

int CountEmptyCells(const Board& board);

// Lands NextBalls[0] on a random empty cell; a line it completes is removed (tallied, not
// scored) and another ball lands within the same call. kBoardFull, with nothing changed and
// nothing drawn, when no cell was empty.
DropOutcome DropBall(BallSupply& supply, const Frontend& frontend);

}  // namespace rolvi::game
