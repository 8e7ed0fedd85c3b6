// The desktop back end's one global: what its C callbacks reach. Signal handlers and Xlib's
// error handlers take no context, so the object that installed each of them is found here; it
// sets its entry while its handler is installed and clears it when it puts the previous
// handler back.
#pragma once

#include <atomic>

namespace rolvi::platform::sdl {

class StopSignals;
class X11ErrorHandlers;

struct CallbackTargets {
  std::atomic<StopSignals*> stop_signals{nullptr};
  std::atomic<X11ErrorHandlers*> x11_errors{nullptr};
};

extern CallbackTargets g_callback_targets;

}  // namespace rolvi::platform::sdl
