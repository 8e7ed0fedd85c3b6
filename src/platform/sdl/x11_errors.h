// What the program does when the X server reports trouble. Xlib's own handlers end the
// process on any error. Instead, a protocol error is reported on standard error and play goes
// on; a lost connection (the server died or the display went away) first runs the given
// last-chance action, which keeps what must not be lost, and then ends the process with
// status 1, since nothing can be drawn any more.
#pragma once

namespace rolvi::platform::sdl {

using LastChance = void (*)(void* context);

// Installs both handlers for every X connection of the process.
void InstallX11ErrorHandlers(LastChance on_connection_lost, void* context);

}  // namespace rolvi::platform::sdl
