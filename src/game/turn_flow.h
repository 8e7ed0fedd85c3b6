// The turn flow: the player's presses and releases on the board become selections and moves;
// a move is animated along its path and followed by a scoring removal or three new balls; a
// full board ends the game. Also the jump of the selected ball on every timer tick, the
// new-game command and the set-up of a fresh game.
#pragma once

#include <cstdint>
#include <optional>

#include "game/game.h"

namespace rolvi::game {

// The cell whose 36-pixel square, measured from the board origin itself (2 pixels up and left
// of the drawn tiles), holds the client point (x, y), or nothing.
std::optional<CellRef> CellAtPoint(const Layout& layout, int x, int y);

void Press(Game& game, int x, int y);

// A release on the cell of the last press is a click: it selects a ball, re-selects, or moves
// the selected ball to an empty cell, with everything that follows the move.
void Release(Game& game, Frontend& frontend, int x, int y);

// One timer tick: the selected ball shows its next jump frame.
void Tick(Game& game, Frontend& frontend);

// Ends the current game (its result may enter the record table) and starts the next.
void NewGameCommand(Game& game, Frontend& frontend);

// Empties the board, refills the preview and lands five balls, then draws the score boxes and
// the preview.
void SetUpNewGame(Game& game, Frontend& frontend);

}  // namespace rolvi::game
