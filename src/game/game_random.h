// GameRandom: the game's only source of chance, a 32-bit linear congruential generator that
// picks the colours of new balls and the empty cells they land on.
#pragma once

#include <cstdint>

namespace rolvi::game {

struct GameRandom {
  std::uint32_t state = 0;
};

void SeedRandom(GameRandom& random, std::uint32_t seed);

// Advances the generator one step and returns a number in 0..n-1; n must be at least 1.
std::uint32_t RandomBelow(GameRandom& random, std::uint32_t n);

}  // namespace rolvi::game
