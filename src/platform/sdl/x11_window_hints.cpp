#include "platform/sdl/x11_window_hints.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace rolvi::platform::sdl {
namespace {

// How long a window manager that says it answers frame requests gets to answer one.
constexpr Uint32 kFrameAnswerMs = 300;

// The _MOTIF_WM_HINTS property: which functions and decorations the frame offers.
constexpr long kMotifFunctions = 1L << 0;
constexpr long kMotifDecorations = 1L << 1;
constexpr long kMotifFunctionMove = 1L << 2;
constexpr long kMotifFunctionClose = 1L << 5;
constexpr long kMotifDecorBorder = 1L << 1;
constexpr long kMotifDecorTitle = 1L << 3;
constexpr long kMotifDecorMenu = 1L << 4;

struct X11Window {
  Display* display;
  Window window;
};

// What Xlib allocates for its caller, released with XFree when the holder goes.
struct XFreeDeleter {
  void operator()(void* data) const { XFree(data); }
};
template <typename T>
using XPointer = std::unique_ptr<T, XFreeDeleter>;

std::optional<X11Window> X11Of(SDL_Window* window) {
  if (window == nullptr) return std::nullopt;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
    return std::nullopt;
  }
  return X11Window{info.info.x11.display, info.info.x11.window};
}

Atom AtomOf(Display* display, const char* name) {
  return XInternAtom(display, name, False);
}

// A property of 32-bit items (atoms, windows, cardinals); empty when it is missing or of
// another type. Xlib hands such items over as longs.
std::vector<unsigned long> ReadProperty(Display* display, Window window, Atom property, Atom type) {
  Atom actual_type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* raw = nullptr;
  std::vector<unsigned long> items;
  const bool read = XGetWindowProperty(display, window, property, 0, 1024, False, type,
                                       &actual_type, &format, &count, &remaining, &raw) == Success;
  const XPointer<unsigned char> data(raw);
  if (read && data != nullptr && actual_type == type && format == 32) {
    const auto* values = reinterpret_cast<const unsigned long*>(data.get());
    items.assign(values, values + count);
  }
  return items;
}

// Runs `request` with X errors recorded instead of ending the process (Xlib's default), and
// tells whether it went through without one. Used where a window we do not own may be gone.
bool g_x_error = false;
int RecordError(Display*, XErrorEvent*) {
  g_x_error = true;
  return 0;
}
template <typename Request>
bool WithoutXErrors(Display* display, Request request) {
  XSync(display, False);
  g_x_error = false;
  const auto previous = XSetErrorHandler(&RecordError);
  request();
  XSync(display, False);
  XSetErrorHandler(previous);
  return !g_x_error;
}

// True when a window manager runs (its check window names itself) and lists
// _NET_REQUEST_FRAME_EXTENTS among what it supports.
bool WindowManagerAnswersFrameRequests(Display* display) {
  const Window root = DefaultRootWindow(display);
  const Atom check = AtomOf(display, "_NET_SUPPORTING_WM_CHECK");
  const auto announced = ReadProperty(display, root, check, XA_WINDOW);
  if (announced.empty()) return false;
  std::vector<unsigned long> confirmed;
  const bool alive = WithoutXErrors(display, [&] {
    confirmed = ReadProperty(display, static_cast<Window>(announced[0]), check, XA_WINDOW);
  });
  if (!alive || confirmed.empty() || confirmed[0] != announced[0]) return false;
  const auto supported = ReadProperty(display, root, AtomOf(display, "_NET_SUPPORTED"), XA_ATOM);
  const Atom request = AtomOf(display, "_NET_REQUEST_FRAME_EXTENTS");
  return std::find(supported.begin(), supported.end(), request) != supported.end();
}

void SetAtoms(Display* display, Window window, Atom property, const std::vector<Atom>& atoms) {
  XChangeProperty(display, window, property, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(atoms.data()),
                  static_cast<int>(atoms.size()));
}

}  // namespace

void DescribeOwnedWindow(SDL_Window* window, OwnedRole role, SDL_Window* owner) {
  const auto x11 = X11Of(window);
  if (!x11) return;
  Display* display = x11->display;
  const Window xwindow = x11->window;
  if (const auto x11_owner = X11Of(owner))
    XSetTransientForHint(display, xwindow, x11_owner->window);

  const char* type =
      role == OwnedRole::kTool ? "_NET_WM_WINDOW_TYPE_UTILITY" : "_NET_WM_WINDOW_TYPE_DIALOG";
  SetAtoms(display, xwindow, AtomOf(display, "_NET_WM_WINDOW_TYPE"), {AtomOf(display, type)});

  // The state SDL may already have set, with ours added.
  const Atom state_property = AtomOf(display, "_NET_WM_STATE");
  std::vector<Atom> state;
  for (const unsigned long atom : ReadProperty(display, xwindow, state_property, XA_ATOM)) {
    state.push_back(static_cast<Atom>(atom));
  }
  std::vector<const char*> wanted{"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"};
  if (role == OwnedRole::kDialog) wanted.push_back("_NET_WM_STATE_MODAL");
  for (const char* name : wanted) {
    const Atom atom = AtomOf(display, name);
    if (std::find(state.begin(), state.end(), atom) == state.end()) state.push_back(atom);
  }
  SetAtoms(display, xwindow, state_property, state);

  // Moving and closing only; a title with its window menu and a thin border.
  const std::array<long, 5> motif{kMotifFunctions | kMotifDecorations,
                                  kMotifFunctionMove | kMotifFunctionClose,
                                  kMotifDecorBorder | kMotifDecorTitle | kMotifDecorMenu, 0, 0};
  const Atom motif_property = AtomOf(display, "_MOTIF_WM_HINTS");
  XChangeProperty(display, xwindow, motif_property, motif_property, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(motif.data()),
                  static_cast<int>(motif.size()));
  XFlush(display);
}

std::optional<FrameSizes> RequestFrameExtents(SDL_Window* window) {
  const auto x11 = X11Of(window);
  if (!x11) return std::nullopt;
  Display* display = x11->display;
  if (!WindowManagerAnswersFrameRequests(display)) return std::nullopt;

  const Atom extents = AtomOf(display, "_NET_FRAME_EXTENTS");
  XDeleteProperty(display, x11->window, extents);  // so that only a fresh answer counts
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = x11->window;
  request.xclient.message_type = AtomOf(display, "_NET_REQUEST_FRAME_EXTENTS");
  request.xclient.format = 32;
  XSendEvent(display, DefaultRootWindow(display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &request);

  // The answer is a property change; it is polled for, so that SDL still sees every event.
  const Uint32 start = SDL_GetTicks();
  do {
    XSync(display, False);
    const auto values = ReadProperty(display, x11->window, extents, XA_CARDINAL);
    if (values.size() == 4) {
      // left, right, top, bottom
      return FrameSizes{static_cast<int>(values[2]), static_cast<int>(values[0]),
                        static_cast<int>(values[3]), static_cast<int>(values[1])};
    }
    SDL_Delay(2);
  } while (SDL_GetTicks() - start < kFrameAnswerMs);
  return std::nullopt;
}

bool MoveClientTo(SDL_Window* window, int x, int y) {
  const auto x11 = X11Of(window);
  if (!x11) return false;
  const XPointer<XSizeHints> hints(XAllocSizeHints());
  if (hints == nullptr) return false;
  long supplied = 0;
  XGetWMNormalHints(x11->display, x11->window, hints.get(), &supplied);
  hints->flags |= USPosition | PWinGravity;
  hints->x = x;
  hints->y = y;
  hints->win_gravity = StaticGravity;
  XSetWMNormalHints(x11->display, x11->window, hints.get());
  XMoveWindow(x11->display, x11->window, x, y);
  XFlush(x11->display);
  return true;
}

std::optional<std::string> ResourceDatabase(SDL_Window* window) {
  const auto x11 = X11Of(window);
  if (!x11) return std::nullopt;
  const char* text = XResourceManagerString(x11->display);
  if (text == nullptr) return std::nullopt;
  return std::string(text);
}

}  // namespace rolvi::platform::sdl
