#include "support/ascii_board.h"

#include <stdexcept>
#include <string>

namespace rolvi::testing {

game::Board BoardFromAscii(std::string_view picture) {
  // Each colour's letter stands at its cell code: G is kGreen (1), R kRed (2) and so on.
  constexpr std::string_view kCells = ".GRBYCMN";
  game::Board board;
  int index = 0;
  for (const char c : picture) {
    if (c == ' ' || c == '\n' || c == '\t') continue;
    const std::size_t code = kCells.find(c);
    if (code == std::string_view::npos) {
      throw std::invalid_argument(std::string("unknown board character: ") + c);
    }
    if (index == game::kCellCount) throw std::invalid_argument("board picture has too many cells");
    board.cells[index++] = static_cast<game::CellCode>(code);
  }
  if (index != game::kCellCount) throw std::invalid_argument("board picture has too few cells");
  return board;
}

game::Board LineFreeBoard() {
  game::Board board;
  for (int index = 0; index < game::kCellCount; ++index)
    board.cells[index] = static_cast<game::CellCode>(1 + (index % 9 + 3 * (index / 9)) % 7);
  return board;
}

}  // namespace rolvi::testing
