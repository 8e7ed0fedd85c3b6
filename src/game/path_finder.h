// The path finder: floods wave numbers through the empty cells of the Board to find a
// shortest route of up/down/left/right steps, lists it in a MovePath, and restores the Board.
#pragma once

#include <array>
#include <cstdint>

#include "game/board.h"

namespace rolvi::game {

inline constexpr CellCode kSourceWave = 8;
inline constexpr CellCode kWaveLimit = 90;

// The cells of a move, source first, destination last; consecutive cells are neighbours.
struct MovePath {
  std::array<CellRef, kCellCount> cells{};
  std::uint8_t length = 0;

  friend bool operator==(const MovePath&, const MovePath&) = default;
};

enum class Route { kFound, kBlocked };

// Needs a ball at the source, an empty destination and only codes 0..7 on the Board. On
// kFound the route is in `path`; on kBlocked `path` keeps its previous route. Either way the
// Board is left exactly as it was.
Route FindPath(Board& board, MovePath& path, int source_column, int source_row,
               int destination_column, int destination_row);

}  // namespace rolvi::game
