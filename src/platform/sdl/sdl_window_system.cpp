#include "platform/sdl/sdl_window_system.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/gbk/gbk_text.h"
#include "platform/sdl/display_scale.h"
#include "platform/sdl/sdl_events.h"
#include "platform/sdl/x11_window_hints.h"

namespace rolvi::platform::sdl {

using widgets::DeskEvent;
using widgets::Placement;
using widgets::WindowRole;

SdlWindowSystem::SdlWindowSystem(Size outer_size, const widgets::ResourceTables& tables,
                                 const MainWindowIdentity& identity, FileSystem& files,
                                 TickSource ticks)
    : Desk(static_cast<SdlPort&>(*this), tables, identity, outer_size, files, ticks),
      outer_size_(outer_size) {}

SdlWindowSystem::~SdlWindowSystem() {
  // What the last-chance action reaches goes before the port: a connection lost from now on
  // only ends the process.
  if (x11_errors_) x11_errors_->Disarm();
}

bool SdlWindowSystem::Open(std::string& error) {
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // Stop signals are the program's own (StopSignals), so that none is lost in a modal loop.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  // The click that activates a window reaches it, as on a classic desktop: a click into the
  // statistics window is handled there, and then the focus goes back to the main window.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // The frames are drawn in software; presenting them through the window system's own shared
  // memory images avoids loading a GL driver (tens of megabytes) only to copy pixels.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // The only text the program takes is a name of plain Latin letters, which needs no compose
  // sequences; without a table of its own, Xlib's input method would parse the locale's whole
  // compose table (thousands of sequences, most of the start's CPU). A table named in
  // XCOMPOSEFILE is still used; ~/.XCompose is not.
  setenv("XCOMPOSEFILE", "/dev/null", 0);
  if (!video_.Start(error)) return false;
  Size screen;
  SDL_DisplayMode mode{};
  if (SDL_GetDesktopDisplayMode(0, &mode) == 0) screen = Size{mode.w, mode.h};

  bar_height_ = bar_height();
  const Size client = ClientSize();
  WindowHandle window(SDL_CreateWindow(
      GbkToUtf8(identity().gbk_title).c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
      client.width, client.height + bar_height_, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE));
  if (window == nullptr) {
    error = std::string("cannot create the main window: ") + SDL_GetError();
    return false;
  }
  SetWindowIcon(window.get(), IconFile());
  wait_.Attach(window.get(), stop_signals_.wake_fd());
  if (std::string_view(SDL_GetCurrentVideoDriver()) == "x11") {
    x11_errors_.emplace([this] { EndSession(); });
  }
  DecideScale(window.get(), screen);  // the window's display holds the desktop's settings
  screen_size_ = Size{screen.width / scale_, screen.height / scale_};
  SDL_SetWindowSize(window.get(), client.width * scale_, (client.height + bar_height_) * scale_);
  // The window manager keeps the window within the largest client area the program draws;
  // enlarged, the window on the screen stays within that size too.
  SDL_SetWindowMaximumSize(window.get(), MaxWindowSize().width, MaxWindowSize().height);
  // The 620 by 420 outer rectangle is centred on the screen, and the frame that the window
  // manager draws has its top-left there (without one the client has), as far as the frame
  // stays inside the work area.
  const Point centred = CentreIn(screen_size_, outer_size_);
  const FrameSizes frame = ExpectedFrame(window.get());
  const Point outer =
      FrameInWorkArea(window.get(), frame, Point{centred.x * scale_, centred.y * scale_});
  const Point placed{outer.x + frame.left, outer.y + frame.top};
  PlaceClient(window.get(), placed.x, placed.y);

  int width = 0;
  int height = 0;
  SDL_GetWindowSize(window.get(), &width, &height);
  // The window's pixels (shared memory with the X server) are made now, while the window is
  // hidden and nothing is presented, so that the first frame after the show has them ready.
  SDL_GetWindowSurface(window.get());
  main_id_ = static_cast<int>(SDL_GetWindowID(window.get()));
  const Size content{width / scale_, height / scale_};
  Window& main = windows_[main_id_];
  main.handle = std::move(window);
  main.main = true;
  main.content = content;
  main.client = placed;
  AttachMainWindow(main_id_, content);
  return true;
}

void SdlWindowSystem::DecideScale(SDL_Window* window, Size screen) {
  ScaleSources sources;
  if (const char* value = std::getenv("ROLVI_SCALE")) sources.rolvi_scale = value;
  if (const char* value = std::getenv("GDK_SCALE")) sources.gdk_scale = value;
  if (const auto resources = ResourceDatabase(window)) {
    sources.xft_dpi = XftDpiFromResources(*resources);
  }
  float diagonal = 0;
  float horizontal = 0;
  float vertical = 0;
  if (SDL_GetDisplayDPI(0, &diagonal, &horizontal, &vertical) == 0) {
    sources.display_dpi = horizontal;
  }
  sources.screen = screen;
  sources.window = outer_size_;
  const ScaleChoice choice = ChooseScale(sources);
  if (!choice.complaint.empty()) std::fprintf(stderr, "rolvi: %s\n", choice.complaint.c_str());
  scale_ = choice.scale;
}

int SdlWindowSystem::Run(WindowHandlers& handlers) {
  Desk::Run(handlers);
  return 0;
}

SDL_Window* SdlPort::Handle(int window) const {
  const auto found = windows_.find(window);
  return found != windows_.end() ? found->second.handle.get() : nullptr;
}

Size SdlPort::MaxWindowSize() const {
  const int client_side = kMaxClientSide / scale_;
  return Size{client_side * scale_, (client_side + bar_height_) * scale_};
}

bool SdlPort::NextEvent(DeskEvent& event) {
  SDL_Event sdl;
  while (SDL_PollEvent(&sdl) == 1) {
    event = DeskEvent{};
    if (DeskEventFromSdl(sdl, main_id_, scale_, event)) return true;
  }
  return false;
}

void SdlPort::WaitForEvent(int timeout_ms) {
  // A chime still playing is closed once it has played.
  if (beeper_.Service()) timeout_ms = timeout_ms < 0 ? 50 : std::min(timeout_ms, 50);
  wait_.WaitForInput(timeout_ms);
}

bool SdlPort::TellProblem(std::string_view gbk_text) {
  std::string line = GbkToUtf8(gbk_text);
  std::replace(line.begin(), line.end(), '\n', ' ');
  std::fprintf(stderr, "rolvi: %s\n", line.c_str());
  return false;
}

void SdlPort::Sleep(int milliseconds) {
  SDL_PumpEvents();  // keeps the window manager answered; the input stays queued in order
  wait_.Sleep(milliseconds);
}

int SdlPort::OpenWindow(const widgets::WindowSpec& spec) {
  // Owned windows have no taskbar button; the statistics window is a small tool window.
  Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_SKIP_TASKBAR;
  if (spec.role == WindowRole::kTool) flags |= SDL_WINDOW_UTILITY;
  WindowHandle handle(SDL_CreateWindow(GbkToUtf8(spec.gbk_caption).c_str(), SDL_WINDOWPOS_UNDEFINED,
                                       SDL_WINDOWPOS_UNDEFINED, spec.content.width * scale_,
                                       spec.content.height * scale_, flags));
  if (handle == nullptr) return 0;
  SDL_Window* owner = Handle(spec.owner);
  if (owner != nullptr && spec.role == WindowRole::kDialog) {
    SDL_SetWindowModalFor(handle.get(), owner);
  }
  const int id = static_cast<int>(SDL_GetWindowID(handle.get()));
  Window& window = windows_[id];
  window.handle = std::move(handle);
  window.role = spec.role;
  window.owner = spec.owner;
  window.content = spec.content;
  Describe(window);
  window.border = ExpectedFrame(window.handle.get());
  return id;
}

void SdlPort::Describe(const Window& window) const {
  DescribeOwnedWindow(window.handle.get(),
                      window.role == WindowRole::kTool ? OwnedRole::kTool : OwnedRole::kDialog,
                      Handle(window.owner));
}

void SdlPort::ResizeWindow(int window, Size content) {
  const auto found = windows_.find(window);
  if (found == windows_.end()) return;
  found->second.content = content;
  SDL_SetWindowSize(found->second.handle.get(), content.width * scale_, content.height * scale_);
}

Size SdlPort::OuterSizeOnScreen(const Window& window) const {
  return Size{window.content.width * scale_ + window.border.left + window.border.right,
              window.content.height * scale_ + window.border.top + window.border.bottom};
}

void SdlPort::PlaceFrameAt(Window& window, Point at) {
  window.client = Point{at.x + window.border.left, at.y + window.border.top};
  if (window.shown_once) PlaceClient(window.handle.get(), window.client.x, window.client.y);
}

void SdlPort::PlaceWindow(int id, const Placement& placement) {
  const auto found = windows_.find(id);
  if (found == windows_.end()) return;
  Window& window = found->second;
  const Size outer = OuterSizeOnScreen(window);
  switch (placement.how) {
    case Placement::How::kCentreOnScreen: {
      const Size screen{screen_size_.width * scale_, screen_size_.height * scale_};
      PlaceFrameAt(window, CentreIn(screen, outer));
      return;
    }
    case Placement::How::kCentreOver: {
      SDL_Window* over = Handle(placement.over);
      if (over == nullptr) return;
      const Rect rect = sdl::OuterRect(over);
      const Point place = CentreIn({rect.width(), rect.height()}, outer);
      PlaceFrameAt(window, Point{rect.left + place.x, rect.top + place.y});
      return;
    }
    case Placement::How::kAt:
      PlaceFrameAt(window, Point{placement.at.x * scale_, placement.at.y * scale_});
      return;
  }
}

Rect SdlPort::OuterRect(int id) const {
  const auto found = windows_.find(id);
  if (found == windows_.end()) return Rect{};
  const Window& window = found->second;
  if (window.main || window.shown_once) {
    return ToLogical(sdl::OuterRect(window.handle.get()), scale_);
  }
  const Size outer = OuterSizeOnScreen(window);
  const Point corner{window.client.x - window.border.left, window.client.y - window.border.top};
  return ToLogical(Rect{corner.x, corner.y, corner.x + outer.width, corner.y + outer.height},
                   scale_);
}

void SdlPort::ShowWindow(int id, bool shown) {
  const auto found = windows_.find(id);
  if (found == windows_.end()) return;
  Window& window = found->second;
  if (!shown) {
    SDL_HideWindow(window.handle.get());
    return;
  }
  if (window.main) {
    SDL_ShowWindow(window.handle.get());
  } else if (window.shown_once) {
    Describe(window);  // a withdrawn window may have lost its state
    SDL_ShowWindow(window.handle.get());
  } else {
    PlaceClient(window.handle.get(), window.client.x, window.client.y);
    SDL_ShowWindow(window.handle.get());
    window.shown_once = true;
  }
}

void SdlPort::FocusWindow(int window, bool raise) {
  SDL_Window* handle = Handle(window);
  if (handle == nullptr) return;
  if (raise) SDL_RaiseWindow(handle);
  SDL_SetWindowInputFocus(handle);
}

void SdlPort::PresentAll(int id, Size covered, std::initializer_list<Layer> layers) {
  const auto found = windows_.find(id);
  if (found == windows_.end()) return;
  Present(found->second.handle.get(), scale_, covered, layers);
  found->second.presented = PresentedPixelsOf(found->second.handle.get());
}

bool SdlPort::PresentChanges(int id, std::initializer_list<Layer> layers) {
  const auto found = windows_.find(id);
  return found != windows_.end() &&
         sdl::PresentChanges(found->second.handle.get(), scale_, layers, found->second.presented);
}

Size SdlPort::ContentSize(int window) {
  SDL_Window* handle = Handle(window);
  int width = 0;
  int height = 0;
  if (handle != nullptr) SDL_GetWindowSize(handle, &width, &height);
  // A window manager that ignores the maximum size, or a program that resizes the window
  // itself, can make it larger: it is sized back, and the client area stays within the limit.
  const Size largest = MaxWindowSize();
  if (handle != nullptr && (width > largest.width || height > largest.height)) {
    width = std::min(width, largest.width);
    height = std::min(height, largest.height);
    SDL_SetWindowSize(handle, width, height);
  }
  return Size{width / scale_, height / scale_};
}

void SdlPort::SetMinimumContentSize(int window, Size content) {
  const auto found = windows_.find(window);
  if (found == windows_.end()) return;
  SDL_Window* handle = found->second.handle.get();
  SDL_SetWindowMinimumSize(handle, content.width * scale_, content.height * scale_);
  // SDL moves the window back to where it last saw it when it sets the minimum size.
  PlaceClient(handle, found->second.client.x, found->second.client.y);
}

}  // namespace rolvi::platform::sdl
