// A simple player for long headless runs: it takes a move that completes the longest line it
// can find, and otherwise one that lengthens a run of its colour, so games score regularly.
#pragma once

#include <cstdint>
#include <optional>

#include "game/board.h"
#include "game/game.h"

namespace rolvi::greedy {

struct PlannedMove {
  game::CellRef from;
  game::CellRef to;
  std::uint32_t line_sum = 0;  // what DetectLines will report at the destination
};

// Nothing when no ball can reach an empty cell. `seed` breaks ties and advances.
std::optional<PlannedMove> ChooseMove(const game::Board& board, std::uint32_t& seed);

}  // namespace rolvi::greedy
