// Lines of five or more: finding and marking them through the ball just placed, the burst
// animation that removes the marked balls and counts them in the removal tally, and the
// points a line earns.
#pragma once

#include <array>
#include <cstdint>

#include "game/board.h"
#include "game/view.h"

namespace rolvi::game {

struct LineDirection {
  int dx;
  int dy;
};

// Horizontal, diagonal top-left to bottom-right, vertical, diagonal bottom-left to top-right.
inline constexpr std::array<LineDirection, 4> kDirectionTable = {
    {{-1, 0}, {-1, -1}, {0, -1}, {1, -1}}};

// Balls removed per colour in the current game, indexed by cell code (entry 0 stays 0).
struct RemovalTally {
  std::array<std::uint32_t, 8> removed{};

  friend bool operator==(const RemovalTally&, const RemovalTally&) = default;
};

// Marks every line of five or more of `colour` through (column, row) and returns the sum of
// their lengths (the centre counted once per line), or 0 with no mark left behind.
std::uint32_t DetectLines(Board& board, int column, int row, CellCode colour);

// Plays the burst animation on the marked balls, empties their cells, adds them to the tally
// and asks the statistics window to repaint.
void RemoveMarkedBalls(Board& board, RemovalTally& tally, const Frontend& frontend);

// Points for a detection sum n of 5 or more: 10 + 2 * (n - 5)^2.
std::uint32_t LineScore(std::uint32_t n);

}  // namespace rolvi::game
