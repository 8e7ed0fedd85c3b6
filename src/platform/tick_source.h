// Where the seed of the game comes from: the system's tick count, or in the test builds of
// the desktop and Windows programs a fixed seed from ROLVI_TEST_SEED, so that a test knows
// where the first balls land.
#pragma once

#include <cstdint>

namespace rolvi::platform {

using TickSource = std::uint32_t (*)();

// ROLVI_TEST_SEED as a number when it is set, else what `system_ticks` says.
std::uint32_t TestSeedOr(TickSource system_ticks);

}  // namespace rolvi::platform
