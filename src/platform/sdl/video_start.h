// Starting SDL's video system on a display a player can see. Where no display answers, SDL
// falls back to its off-screen drivers, and the program would run unseen for ever; those
// are taken only when SDL_VIDEODRIVER names a driver.
#pragma once

#include <string>
#include <string_view>

namespace rolvi::platform::sdl {

// SDL's video drivers that show nothing on any screen.
bool IsOffScreenVideoDriver(std::string_view name);

// Why no display could be opened, naming the displays that were tried: the values of
// DISPLAY and WAYLAND_DISPLAY, null when unset.
std::string NoDisplayMessage(const char* display, const char* wayland_display);

// Starts SDL's video system. False, with SDL shut down again and the reason in `error`, when
// it could not start, or when it found no display and fell back to an off-screen driver
// that SDL_VIDEODRIVER did not ask for.
bool StartVideoOnADisplay(std::string& error);

}  // namespace rolvi::platform::sdl
