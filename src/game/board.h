// The Board: 81 cell codes in row-major order (cell (column, row) at 9 * row + column), with
// the codes a cell can hold: empty, the seven ball colours, the removal mark, and the wave
// numbers the path finder writes while it searches.
#pragma once

#include <array>
#include <cstdint>

namespace rolvi::game {

inline constexpr int kBoardSide = 9;
inline constexpr int kCellCount = kBoardSide * kBoardSide;

using CellCode = std::uint8_t;

inline constexpr CellCode kEmpty = 0;
inline constexpr CellCode kFirstColour = 1;  // green
inline constexpr CellCode kLastColour = 7;   // brown
inline constexpr int kColourCount = 7;
inline constexpr CellCode kRemovalMark = 0x40;
inline constexpr CellCode kColourMask = 0x3F;

enum Colour : CellCode {
  kGreen = 1,
  kRed = 2,
  kBlue = 3,
  kYellow = 4,
  kCyan = 5,
  kMagenta = 6,
  kBrown = 7,
};

constexpr bool IsOnBoard(int column, int row) {
  return column >= 0 && column < kBoardSide && row >= 0 && row < kBoardSide;
}

constexpr int CellIndex(int column, int row) {
  return kBoardSide * row + column;
}

// A cell of the board, by column and row (both 0..8).
struct CellRef {
  int column = 0;
  int row = 0;
  friend bool operator==(const CellRef&, const CellRef&) = default;
};

struct Board {
  std::array<CellCode, kCellCount> cells{};

  constexpr CellCode& at(int column, int row) { return cells[CellIndex(column, row)]; }
  constexpr CellCode at(int column, int row) const { return cells[CellIndex(column, row)]; }

  friend bool operator==(const Board&, const Board&) = default;
};

}  // namespace rolvi::game
