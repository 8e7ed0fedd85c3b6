// SDL's input as the desk's events: key presses as KeyEvents, typed text as GBK, mouse
// positions in the program's pixels, and the main window's own events (size, minimise and
// restore, focus) told apart from those of its dialogs.
#pragma once

#include <SDL.h>

#include <optional>

#include "platform/widgets/desk_port.h"
#include "platform/widgets/input.h"

namespace rolvi::platform::sdl {

std::optional<widgets::KeyEvent> KeyFromSdl(const SDL_KeyboardEvent& event);

// Fills `event` from `sdl`; false for what the desk has no use for. `main_window` is the
// main window's SDL id, `scale` what each of the program's pixels is enlarged by.
bool DeskEventFromSdl(const SDL_Event& sdl, int main_window, int scale, widgets::DeskEvent& event);

}  // namespace rolvi::platform::sdl
