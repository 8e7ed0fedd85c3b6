#include "platform/sdl/x11_errors.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

namespace rolvi::platform::sdl {
namespace {

LastChance g_on_lost = nullptr;
void* g_context = nullptr;

int OnProtocolError(Display* display, XErrorEvent* error) {
  char text[160] = {};
  XGetErrorText(display, error->error_code, text, sizeof text - 1);
  std::fprintf(stderr, "rolvi: X error ignored: %s (request %d.%d, resource 0x%lx)\n", text,
               static_cast<int>(error->request_code), static_cast<int>(error->minor_code),
               error->resourceid);
  return 0;
}

int OnConnectionLost(Display* /*display*/) {
  std::fprintf(stderr, "rolvi: the connection to the display was lost\n");
  if (LastChance on_lost = g_on_lost) {
    g_on_lost = nullptr;  // once, even if the action itself meets the dead connection
    on_lost(g_context);
  }
  // Returning would let Xlib end the process; ending it here skips exit handlers that might
  // still talk to the dead connection.
  std::fflush(stderr);
  std::_Exit(1);
}

}  // namespace

void InstallX11ErrorHandlers(LastChance on_connection_lost, void* context) {
  g_on_lost = on_connection_lost;
  g_context = context;
  XSetErrorHandler(&OnProtocolError);
  XSetIOErrorHandler(&OnConnectionLost);
}

}  // namespace rolvi::platform::sdl
