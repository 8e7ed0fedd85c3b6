#include "support/ascii_board.h"

#include <stdexcept>

namespace rolvi::testing {
namespace {

game::CellCode CodeOf(char c) {
  switch (c) {
    case '.':
      return game::kEmpty;
    case 'G':
      return game::kGreen;
    case 'R':
      return game::kRed;
    case 'B':
      return game::kBlue;
    case 'Y':
      return game::kYellow;
    case 'C':
      return game::kCyan;
    case 'M':
      return game::kMagenta;
    case 'N':
      return game::kBrown;
    default:
      if (c >= '1' && c <= '7') return static_cast<game::CellCode>(c - '0');
      throw std::invalid_argument(std::string("unknown board character: ") + c);
  }
}

}  // namespace

game::Board BoardFromAscii(std::string_view picture) {
  game::Board board;
  int index = 0;
  for (const char c : picture) {
    if (c == ' ' || c == '\n' || c == '\t') continue;
    if (index == game::kCellCount) throw std::invalid_argument("board picture has too many cells");
    board.cells[index++] = CodeOf(c);
  }
  if (index != game::kCellCount) throw std::invalid_argument("board picture has too few cells");
  return board;
}

std::string BoardToAscii(const game::Board& board) {
  std::string text;
  for (int row = 0; row < game::kBoardSide; ++row) {
    for (int column = 0; column < game::kBoardSide; ++column) {
      const game::CellCode code = board.at(column, row);
      text += code == game::kEmpty ? '.' : code < 10 ? static_cast<char>('0' + code) : '?';
    }
    text += '\n';
  }
  return text;
}

}  // namespace rolvi::testing
