#include "platform/sdl/callback_targets.h"

namespace rolvi::platform::sdl {

constinit CallbackTargets g_callback_targets;

}  // namespace rolvi::platform::sdl
