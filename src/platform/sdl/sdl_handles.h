// Ownership of SDL's handles: SDL's video system, windows and surfaces are released when the
// object that holds them goes.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>

#include "platform/sdl/video_start.h"

namespace rolvi::platform::sdl {

struct WindowDeleter {
  void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
using WindowHandle = std::unique_ptr<SDL_Window, WindowDeleter>;

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfaceHandle = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// SDL with its video system on a display, started by Start() and shut down with this object;
// whatever SDL made must be released before.
class VideoSession {
 public:
  VideoSession() = default;
  ~VideoSession() {
    if (started_) SDL_Quit();
  }
  VideoSession(const VideoSession&) = delete;
  VideoSession& operator=(const VideoSession&) = delete;

  // False, with the reason in `error`, when no display could be opened.
  bool Start(std::string& error) {
    started_ = StartVideoOnADisplay(error);
    return started_;
  }

 private:
  bool started_ = false;
};

}  // namespace rolvi::platform::sdl
