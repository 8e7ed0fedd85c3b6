// The turn flow: the player's presses and releases on the board become selections and moves;
// a move is animated along its path and followed by a scoring removal or three new balls; a
// full board ends the game. Also the jump of the selected ball on every timer tick, the
// new-game command and the set-up of a fresh game.
#pragma once

#include <cstdint>
#include <optional>

#include "game/game.h"

namespace rolvi::game {

// A press of the mouse button on a cell of the board, or beside the board (nothing).
void Press(Game& game, std::optional<CellRef> cell);

// A release on the cell of the last press is a click: it selects a ball, re-selects, or moves
// the selected ball to an empty cell, with everything that follows the move.
void Release(Game& game, const Frontend& frontend, std::optional<CellRef> cell);

// One timer tick: the selected ball shows its next jump frame.
void Tick(Game& game, const Frontend& frontend);
// Whether a tick now would draw nothing (no ball is selected), so that ticks may be counted
// together with SkipTicks instead of one by one.
bool TickDrawsNothing(const Game& game);
// `count` ticks at which nothing was drawn: the frame counter advances as they would have.
void SkipTicks(Game& game, std::uint32_t count);

// Ends the current game (its result may enter the record table) and starts the next.
void NewGameCommand(Game& game, const Frontend& frontend);

// Empties the board, refills the preview and lands five balls, then draws the score boxes and
// the preview.
void SetUpNewGame(Game& game, const Frontend& frontend);

}  // namespace rolvi::game
