#include "game/path_finder.h"

namespace rolvi::game {
namespace {

// Neighbour order of both the flood and the walk-back: up, left, down, right. The walk-back
// takes the first neighbour one wave lower, which is the tie-break between shortest routes.
constexpr std::array<std::array<int, 2>, 4> kNeighbourSteps = {{{0, -1}, {-1, 0}, {0, 1}, {1, 0}}};

void FloodSweep(Board& board, CellCode wave) {
  for (int row = 0; row < kBoardSide; ++row) {
    for (int column = 0; column < kBoardSide; ++column) {
      if (board.at(column, row) != wave) continue;
      for (const auto& [dx, dy] : kNeighbourSteps) {
        const int x = column + dx;
        const int y = row + dy;
        if (IsOnBoard(x, y) && board.at(x, y) == kEmpty) board.at(x, y) = wave + 1;
      }
    }
  }
}

void WalkBack(const Board& board, MovePath& path, int destination_column, int destination_row) {
  const CellCode destination_wave = board.at(destination_column, destination_row);
  path.length = static_cast<std::uint8_t>(destination_wave - (kSourceWave - 1));
  int column = destination_column;
  int row = destination_row;
  for (int i = path.length - 1;; --i) {
    path.cells[i] = CellRef{column, row};
    if (i == 0) break;
    const auto wanted = static_cast<CellCode>(board.at(column, row) - 1);
    for (const auto& [dx, dy] : kNeighbourSteps) {
      const int x = column + dx;
      const int y = row + dy;
      if (IsOnBoard(x, y) && board.at(x, y) == wanted) {
        column = x;
        row = y;
        break;
      }
    }
  }
}

void ClearWaves(Board& board) {
  for (CellCode& code : board.cells) {
    if (code >= kSourceWave) code = kEmpty;
  }
}

}  // namespace

Route FindPath(Board& board, MovePath& path, int source_column, int source_row,
               int destination_column, int destination_row) {
  const CellCode source_code = board.at(source_column, source_row);
  board.at(source_column, source_row) = kSourceWave;

  Route route = Route::kBlocked;
  for (CellCode wave = kSourceWave; wave < kWaveLimit;) {
    FloodSweep(board, wave);
    ++wave;
    if (board.at(destination_column, destination_row) == wave) {
      WalkBack(board, path, destination_column, destination_row);
      route = Route::kFound;
      break;
    }
  }

  ClearWaves(board);
  board.at(source_column, source_row) = source_code;
  return route;
}

}  // namespace rolvi::game
