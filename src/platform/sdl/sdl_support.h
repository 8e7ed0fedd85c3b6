// Small SDL helpers: presenting software surfaces in a window enlarged by the scale, a window's
// frame sizes and placing a window by its frame.
#pragma once

#include <SDL.h>

#include <initializer_list>
#include <optional>
#include <span>

#include "platform/software/layer.h"
#include "platform/software/soft_surface.h"

namespace rolvi::platform::sdl {

// Copies the layers, in order, into the window with each of their pixels enlarged to a square
// of scale by scale, and shows the result. Layer positions and `covered`, the part of the
// window that the layers fill, are in the program's pixels; the window beyond it is black.
// The layers' changes are forgotten: all of them is on the screen now.
void Present(SDL_Window* window, int scale, Size covered, std::initializer_list<Layer> layers);

// Which window pixels a present went to: a later present of changes alone needs the same.
struct PresentedPixels {
  const SDL_Surface* surface = nullptr;
  int width = 0;
  int height = 0;
};
PresentedPixels PresentedPixelsOf(SDL_Window* window);

// Copies only what was drawn on the layers since their last present (SoftSurface::changes(),
// which are then forgotten) and shows only those parts of the window. False, with nothing
// done, where that cannot be done: the window's pixels are no longer those of `last` (the
// window was resized) or have another layout. The caller then presents everything.
bool PresentChanges(SDL_Window* window, int scale, std::initializer_list<Layer> layers,
                    const PresentedPixels& last);

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

// The frame the window will get, asked before it is first mapped: the window manager's
// answer on X11, what SDL knows elsewhere, zero where nobody says.
FrameSizes ExpectedFrame(SDL_Window* window);
// The top-left corner, in screen pixels, for the frame of `window` (which the window manager
// will draw as `frame`) wanted at `wanted`: moved as little as it takes to lie inside the
// work area of the window's display, its top-left corner inside in any case.
Point FrameInWorkArea(SDL_Window* window, const FrameSizes& frame, Point wanted);
// Puts the client of a window at (x, y) in screen pixels and keeps it there when the window
// manager adds its frame.
void PlaceClient(SDL_Window* window, int x, int y);

// Shows the first picture of an icon file as the window's icon; does nothing with a file that
// cannot be read.
void SetWindowIcon(SDL_Window* window, std::span<const std::uint8_t> icon_file);

}  // namespace rolvi::platform::sdl
