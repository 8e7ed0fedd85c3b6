// FindPath on an empty board (the longest corner-to-corner search) and on a target walled
// off by a full column, which always costs every sweep up to the wave limit.
#include <benchmark/benchmark.h>

#include "game/path_finder.h"

namespace rolvi::game {
namespace {

void BM_FindPathCornerToCorner(benchmark::State& state) {
  Board board;
  board.at(0, 0) = kRed;
  MovePath path;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FindPath(board, path, 0, 0, 8, 8));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FindPathCornerToCorner);

void BM_FindPathUnreachable(benchmark::State& state) {
  Board board;
  for (int row = 0; row < kBoardSide; ++row)
    board.at(4, row) = kBlue;
  board.at(0, 0) = kRed;
  MovePath path;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FindPath(board, path, 0, 0, 8, 8));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FindPathUnreachable);

}  // namespace
}  // namespace rolvi::game
