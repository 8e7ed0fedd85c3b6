// What the program does when the X server reports trouble. Xlib's own handlers end the
// process on any error. Instead, while an X11ErrorHandlers is installed, a protocol error is
// reported on standard error and play goes on; a lost connection (the server died or the
// display went away) first runs the last-chance action, which keeps what must not be lost, and
// then ends the process with status 1, since nothing can be drawn any more.
#pragma once

#include <functional>

struct _XDisplay;  // Xlib's Display

namespace rolvi::platform::sdl {

class X11ErrorHandlers {
 public:
  // Installs both handlers for every X connection of the process. One instance at a time.
  explicit X11ErrorHandlers(std::function<void()> on_connection_lost);
  // Puts the handlers that were there before back.
  ~X11ErrorHandlers();
  X11ErrorHandlers(const X11ErrorHandlers&) = delete;
  X11ErrorHandlers& operator=(const X11ErrorHandlers&) = delete;

  // From now on a lost connection only ends the process: what the action would reach is going.
  void Disarm() { on_lost_ = nullptr; }

 private:
  static int OnConnectionLost(_XDisplay* display);

  std::function<void()> on_lost_;
  // Xlib's handler types need Xlib's header; the previous handlers are kept as plain function
  // pointers and converted back when they are restored.
  void (*previous_protocol_)() = nullptr;
  void (*previous_io_)() = nullptr;
};

}  // namespace rolvi::platform::sdl
