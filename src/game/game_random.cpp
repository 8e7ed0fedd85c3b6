#include "game/game_random.h"

namespace rolvi::game {

void SeedRandom(GameRandom& random, std::uint32_t seed) {
  random.state = seed;
}

std::uint32_t RandomBelow(GameRandom& random, std::uint32_t n) {
  // Unsigned arithmetic wraps modulo 2^32, which is exactly the generator's step.
  random.state = random.state * 1103515245u + 12345u;
  const std::uint32_t draw = (random.state >> 16) & 0x7FFFu;
  return draw % n;
}

}  // namespace rolvi::game
