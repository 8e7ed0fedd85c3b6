// Blocking until the event loop has something to do: input on the display connection, a stop
// request, or the end of a timeout. On X11 it waits on the connection's socket itself. SDL's
// own wait would make SDL send wake-up messages to its newest window through a second
// connection, unordered with the destruction of that window on the first: the server can
// then see a message for a window that is gone, and Xlib ends the program on that error.
#pragma once

#include <SDL.h>

namespace rolvi::platform::sdl {

class EventWait {
 public:
  // Watches the display connection that `window` lives on, and `stop_fd` (-1 for none), a
  // descriptor that becomes readable when the program is asked to stop.
  void Attach(SDL_Window* window, int stop_fd);

  // Returns when the display connection has input, a stop was requested or `timeout_ms`
  // passed (-1 waits without limit). Pending output is flushed first. Nothing is read.
  void WaitForInput(int timeout_ms);

  // Sleeps for `milliseconds`, returning early only when a stop is requested; input that
  // arrives meanwhile stays queued.
  void Sleep(int milliseconds);

 private:
  void* display_ = nullptr;  // the X display, when the window is on X11
  int display_fd_ = -1;
  int stop_fd_ = -1;
};

}  // namespace rolvi::platform::sdl
