// Small SDL helpers: key presses as KeyEvents, presenting software surfaces in a window, and
// a window's frame sizes.
#pragma once

#include <SDL.h>

#include <initializer_list>
#include <optional>
#include <span>

#include "platform/sdl/input.h"
#include "platform/software/soft_surface.h"

namespace rolvi::platform::sdl {

std::optional<KeyEvent> KeyFromSdl(const SDL_KeyboardEvent& event);

struct Layer {
  const SoftSurface* surface;
  int x;
  int y;
};
// Copies the layers, in order, into the window and shows the result.
void Present(SDL_Window* window, std::initializer_list<Layer> layers);

struct FrameSizes {
  int top = 0;
  int left = 0;
  int bottom = 0;
  int right = 0;
};
// The window manager's frame around the window's content; zero where there is none.
FrameSizes FrameOf(SDL_Window* window);
// The window's outer rectangle in screen pixels, its frame included.
Rect OuterRect(SDL_Window* window);

// Shows the first picture of an icon file as the window's icon; does nothing with a file that
// cannot be read.
void SetWindowIcon(SDL_Window* window, std::span<const std::uint8_t> icon_file);

}  // namespace rolvi::platform::sdl
