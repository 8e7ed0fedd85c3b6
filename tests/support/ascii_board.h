// Builds Boards from small ASCII pictures for tests: nine rows of nine characters, '.' for an
// empty cell and G R B Y C M N for the ball colours. Blanks are ignored.
#pragma once

#include <string_view>

#include "game/board.h"

namespace rolvi::testing {

game::Board BoardFromAscii(std::string_view picture);

// A full board without two equal neighbours in any row, column or diagonal, so that no ball
// dropped into one of its holes can complete a line by accident.
game::Board LineFreeBoard();

}  // namespace rolvi::testing
