// The score race between the King and the Player: adding points (the Player rises, the
// crown passes when the record falls, then the King sinks) and the transition to a new game
// (figures return, and the King's name and score pass on when the record was beaten).
#pragma once

#include <cstdint>

#include "game/game.h"

namespace rolvi::game {

// Where the Player stands for `score` while chasing `recordScore`. A record of 0 or less is
// already beaten by any score, so the Player stands at the top.
std::int32_t PlayerTargetOffset(std::int32_t score, std::int32_t recordScore);

// How far the King has sunk once `score` has passed `recordScore`: at twice the record he is
// down on his foot plate. A record of 0 or less counts as infinitely far behind.
std::int32_t KingTargetOffset(std::int32_t score, std::int32_t recordScore);

// Adds `points` (positive) to the score, redraws its box and plays the race.
void AddScore(Game& game, const Frontend& frontend, std::int32_t points);

// Returns the figures to their places, hands the record over if it was beaten, then sets up
// the next game and refreshes the statistics window.
void NewGameTransition(Game& game, const Frontend& frontend);

}  // namespace rolvi::game
