// The build without Xlib: windows get what SDL alone tells the window system.
#include "platform/sdl/x11_window_hints.h"

namespace rolvi::platform::sdl {

void DescribeOwnedWindow(SDL_Window*, OwnedRole, SDL_Window*) {}
std::optional<FrameSizes> RequestFrameExtents(SDL_Window*) {
  return std::nullopt;
}
bool MoveClientTo(SDL_Window*, int, int) {
  return false;
}
std::optional<std::string> ResourceDatabase(SDL_Window*) {
  return std::nullopt;
}

}  // namespace rolvi::platform::sdl
