// The desktop program's window system: the desk's windows as SDL windows with X window
// manager hints, each enlarged by a whole-number scale (the shell sees only the program's own
// pixels), SDL's input as desk events, the wait on the display connection and the stop
// signals, the beep, and the main window's placement and scale.
#pragma once

#include <SDL.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/sdl/beeper.h"
#include "platform/sdl/event_wait.h"
#include "platform/sdl/sdl_handles.h"
#include "platform/sdl/sdl_support.h"
#include "platform/sdl/stop_signals.h"
#include "platform/sdl/x11_errors.h"
#include "platform/tick_source.h"
#include "platform/widgets/desk.h"

namespace rolvi::platform::sdl {

// The port: SDL's windows, events, waits and sound. Made before the desk and gone after it,
// so that the desk's windows close while SDL still runs.
class SdlPort : public widgets::DeskPort {
 protected:
  std::uint32_t Now() override { return SDL_GetTicks(); }
  bool NextEvent(widgets::DeskEvent& event) override;
  void WaitForEvent(int timeout_ms) override;
  void Sleep(int milliseconds) override;
  bool StopSignalled() override { return StopSignals::Requested() != 0; }
  bool Sound() override { return beeper_.Play(); }
  // A line on standard error, for whoever started the program from a terminal; the desk shows
  // the message box.
  bool TellProblem(std::string_view gbk_text) override;
  int OpenWindow(const widgets::WindowSpec& spec) override;
  void CloseWindow(int window) override { windows_.erase(window); }
  void ResizeWindow(int window, Size content) override;
  void PlaceWindow(int window, const widgets::Placement& placement) override;
  Rect OuterRect(int window) const override;
  Size ScreenArea() const override { return screen_size_; }
  void ShowWindow(int window, bool shown) override;
  void FocusWindow(int window, bool raise) override;
  void SetModalWindow(int /*window*/) override {}  // the window manager keeps to SDL's modal hints
  void PresentAll(int window, Size covered, std::initializer_list<Layer> layers) override;
  bool PresentChanges(int window, std::initializer_list<Layer> layers) override;
  Size ContentSize(int window) override;
  void SetMinimumContentSize(int window, Size content) override;

  struct Window {
    WindowHandle handle;
    bool main = false;
    widgets::WindowRole role = widgets::WindowRole::kDialog;
    int owner = 0;
    Size content;             // the program's pixels
    FrameSizes border;        // the window manager's frame, screen pixels
    Point client;             // where the client goes, screen pixels
    bool shown_once = false;  // placed and mapped once; later shows put it back as it was
    PresentedPixels presented;
  };
  SDL_Window* Handle(int window) const;
  // The window's largest size on the screen: a client area of at most kMaxClientSide
  // enlarged pixels on a side, and the menu bar.
  Size MaxWindowSize() const;
  void Describe(const Window& window) const;
  Size OuterSizeOnScreen(const Window& window) const;
  void PlaceFrameAt(Window& window, Point at);

  StopSignals stop_signals_;
  EventWait wait_;
  std::optional<X11ErrorHandlers> x11_errors_;
  // Declared before every window, beep and surface of SDL's, so that it shuts SDL down last.
  VideoSession video_;
  int scale_ = 1;
  Size screen_size_;
  int main_id_ = 0;
  int bar_height_ = 0;
  std::map<int, Window> windows_;
  Beeper beeper_;
};

class SdlWindowSystem final : private SdlPort, public widgets::Desk {
 public:
  // `outer_size` is the main window's size with a classic frame; the client area starts as
  // what that frame leaves, and the window is centred as that size: the window manager's
  // real frame, whatever its size, has its top-left at the centred point. The caption, icon,
  // menu, accelerators and dialogs are the program's, from `tables` and `identity`.
  SdlWindowSystem(Size outer_size, const widgets::ResourceTables& tables,
                  const MainWindowIdentity& identity, FileSystem& files, TickSource ticks);
  ~SdlWindowSystem() override;

  // Initialises SDL, chooses the scale and creates the hidden main window; false with `error`
  // set when that fails. A ROLVI_SCALE that cannot be used is reported on standard error.
  bool Open(std::string& error);
  // How many screen pixels wide and high each of the program's pixels is.
  int scale() const { return scale_; }
  // Creation, first size, show, paint and the event loop, until the main window is destroyed.
  int Run(WindowHandlers& handlers);

 private:
  void DecideScale(SDL_Window* window, Size screen);

  Size outer_size_;
};

}  // namespace rolvi::platform::sdl
