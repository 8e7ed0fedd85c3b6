#include "platform/sdl/event_wait.h"

#include <SDL_syswm.h>
#include <poll.h>

#include <initializer_list>

namespace rolvi::platform::sdl {
namespace {

// Waits for any of the descriptors to become readable; returns at once on a signal.
void PollReadable(int first_fd, int second_fd, int timeout_ms) {
  pollfd fds[2];
  nfds_t count = 0;
  for (const int fd : {first_fd, second_fd}) {
    if (fd >= 0) fds[count++] = pollfd{fd, POLLIN, 0};
  }
  poll(fds, count, timeout_ms);
}

}  // namespace

void EventWait::Attach(SDL_Window* window, int stop_fd) {
  stop_fd_ = stop_fd;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window != nullptr && SDL_GetWindowWMInfo(window, &info) == SDL_TRUE &&
      info.subsystem == SDL_SYSWM_X11) {
    display_ = info.info.x11.display;
    display_fd_ = XConnectionNumber(info.info.x11.display);
  }
}

void EventWait::WaitForInput(int timeout_ms) {
  if (display_ == nullptr) {
    // Another video driver: its own wait, which watches no stop descriptor, so a stop
    // request is seen after at most a quarter of a second.
    const int bounded = timeout_ms < 0 || timeout_ms > 250 ? 250 : timeout_ms;
    SDL_WaitEventTimeout(nullptr, bounded);
    return;
  }
  // Events Xlib has already read off the socket would not wake the poll.
  if (XEventsQueued(static_cast<Display*>(display_), QueuedAfterFlush) > 0) return;
  PollReadable(display_fd_, stop_fd_, timeout_ms);
}

void EventWait::Sleep(int milliseconds) {
  if (milliseconds <= 0) return;
  if (stop_fd_ < 0) {
    SDL_Delay(static_cast<Uint32>(milliseconds));
    return;
  }
  const Uint64 end = SDL_GetTicks64() + static_cast<Uint64>(milliseconds);
  for (;;) {
    const Uint64 now = SDL_GetTicks64();
    if (now >= end) return;
    pollfd stop{stop_fd_, POLLIN, 0};
    if (poll(&stop, 1, static_cast<int>(end - now)) > 0) return;  // a stop was requested
  }
}

}  // namespace rolvi::platform::sdl
