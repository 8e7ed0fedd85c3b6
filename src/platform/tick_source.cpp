#include "platform/tick_source.h"

#include <cstdlib>

namespace rolvi::platform {

std::uint32_t TestSeedOr(TickSource system_ticks) {
  const char* seed = std::getenv("ROLVI_TEST_SEED");
  if (seed == nullptr) return system_ticks();
  return static_cast<std::uint32_t>(std::strtoul(seed, nullptr, 10));
}

}  // namespace rolvi::platform
