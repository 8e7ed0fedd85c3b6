#include "platform/sdl/x11_errors.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/sdl/callback_targets.h"

namespace rolvi::platform::sdl {
namespace {

using AnyFunction = void (*)();

int OnProtocolError(Display* display, XErrorEvent* error) {
  char text[160] = {};
  XGetErrorText(display, error->error_code, text, sizeof text - 1);
  std::fprintf(stderr, "rolvi: X error ignored: %s (request %d.%d, resource 0x%lx)\n", text,
               static_cast<int>(error->request_code), static_cast<int>(error->minor_code),
               error->resourceid);
  return 0;
}

}  // namespace

int X11ErrorHandlers::OnConnectionLost(Display* /*display*/) {
  std::fprintf(stderr, "rolvi: the connection to the display was lost\n");
  if (X11ErrorHandlers* self = g_callback_targets.x11_errors.load()) {
    // Once, even if the action itself meets the dead connection.
    const std::function<void()> on_lost = std::exchange(self->on_lost_, nullptr);
    if (on_lost) on_lost();
  }
  // Returning would let Xlib end the process; ending it here skips exit handlers that might
  // still talk to the dead connection.
  std::fflush(stderr);
  std::_Exit(1);
}

X11ErrorHandlers::X11ErrorHandlers(std::function<void()> on_connection_lost)
    : on_lost_(std::move(on_connection_lost)) {
  g_callback_targets.x11_errors.store(this);
  previous_protocol_ = reinterpret_cast<AnyFunction>(XSetErrorHandler(&OnProtocolError));
  previous_io_ = reinterpret_cast<AnyFunction>(XSetIOErrorHandler(&OnConnectionLost));
}

X11ErrorHandlers::~X11ErrorHandlers() {
  XSetErrorHandler(reinterpret_cast<XErrorHandler>(previous_protocol_));
  XSetIOErrorHandler(reinterpret_cast<XIOErrorHandler>(previous_io_));
  g_callback_targets.x11_errors.store(nullptr);
}

}  // namespace rolvi::platform::sdl
