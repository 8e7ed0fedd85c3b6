// What the desktop program tells an X11 window manager beyond what SDL says: the owner, type,
// taskbar and modal state and frame buttons of its owned windows, the frame a window will get
// before it is mapped, where its client goes, and the X resource database. On another SDL
// video driver, or a build without Xlib, every function does nothing and reports nothing.
#pragma once

#include <SDL.h>

#include <optional>
#include <string>

#include "platform/sdl/sdl_support.h"

namespace rolvi::platform::sdl {

enum class OwnedRole {
  kTool,    // the statistics window: a utility window with only a close box
  kDialog,  // dialogs and message boxes: modal dialogs with only a close box
};

// Makes `window` a transient of `owner` with the role's window type, no taskbar or pager
// entry and no minimise, maximise or resize function. Call it before each mapping: a window
// manager may drop the state of a window that is withdrawn.
void DescribeOwnedWindow(SDL_Window* window, OwnedRole role, SDL_Window* owner);

// The frame that the window manager will put around `window`, asked before the window is
// mapped (_NET_REQUEST_FRAME_EXTENTS); nothing where no window manager runs or it does not
// answer in time.
std::optional<FrameSizes> RequestFrameExtents(SDL_Window* window);

// Puts the client of `window` at (x, y) on the screen and asks the window manager to keep it
// there when it adds its frame (static gravity). False off X11.
bool MoveClientTo(SDL_Window* window, int x, int y);

// The text of the X resource database of the display that `window` is on (what xrdb loads).
std::optional<std::string> ResourceDatabase(SDL_Window* window);

}  // namespace rolvi::platform::sdl
