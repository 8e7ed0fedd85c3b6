#include "game/game_random.h"

#include <gtest/gtest.h>

#include <vector>

namespace rolvi::game {
namespace {

TEST(GameRandomTest, SeedOneGivesTheKnownDrawsAndTheStateWrapsModulo2To32) {
  GameRandom random;
  SeedRandom(random, 1);
  std::vector<std::uint32_t> draws;
  for (int i = 0; i < 5; ++i)
    draws.push_back(RandomBelow(random, 32768));
  EXPECT_EQ(draws, (std::vector<std::uint32_t>{16838, 5758, 10113, 17515, 31051}));

  // 0xFFFFFFFF * 1103515245 + 12345 mod 2^32, computed by hand; results stay below N.
  SeedRandom(random, 0xFFFFFFFFu);
  RandomBelow(random, 1);
  EXPECT_EQ(random.state, 0xBE39E1CCu);
  for (std::uint32_t n = 1; n < 100; ++n)
    EXPECT_LT(RandomBelow(random, n), n);
}

}  // namespace
}  // namespace rolvi::game
