#include "platform/sdl/video_start.h"

#include <SDL.h>

#include <cstdlib>

namespace rolvi::platform::sdl {
namespace {

bool IsSet(const char* value) {
  return value != nullptr && *value != '\0';
}

}  // namespace

bool IsOffScreenVideoDriver(std::string_view name) {
  return name == "offscreen" || name == "dummy";
}

std::string NoDisplayMessage(const char* display, const char* wayland_display) {
  std::string message = "no display could be opened: ";
  if (IsSet(display)) {
    message += "no X server answers at DISPLAY \"" + std::string(display) + "\"";
  } else {
    message += "DISPLAY is not set";
  }
  if (IsSet(wayland_display)) {
    message +=
        ", and no Wayland compositor at WAYLAND_DISPLAY \"" + std::string(wayland_display) + "\"";
  }
  return message;
}

bool StartVideoOnADisplay(std::string& error) {
  const char* asked = std::getenv("SDL_VIDEODRIVER");
  if (IsSet(asked)) {
    if (SDL_Init(SDL_INIT_VIDEO) == 0) return true;
    error = "cannot start the video driver \"" + std::string(asked) + "\": " + SDL_GetError();
    return false;
  }
  const bool started = SDL_Init(SDL_INIT_VIDEO) == 0;
  if (started && !IsOffScreenVideoDriver(SDL_GetCurrentVideoDriver())) return true;
  if (started) SDL_Quit();
  error = NoDisplayMessage(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
  return false;
}

}  // namespace rolvi::platform::sdl
