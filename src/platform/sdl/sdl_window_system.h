// The SDL2 window system: the main window with its menu bar and client surface, the event
// loop with accelerators and the coalesced timer, pauses, the beep, and the dialogs, message
// boxes and statistics window as separate SDL windows running DialogModels. Every window is
// enlarged by a whole-number scale; the shell sees only the program's own pixels.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/sdl/beeper.h"
#include "platform/sdl/event_wait.h"
#include "platform/sdl/sdl_handles.h"
#include "platform/sdl/sdl_support.h"
#include "platform/sdl/stop_signals.h"
#include "platform/software/soft_surface.h"
#include "platform/tick_source.h"
#include "platform/widgets/dialog_model.h"
#include "platform/widgets/input.h"
#include "platform/widgets/menu_bar.h"
#include "platform/widgets/timer_clock.h"
#include "platform/window_system.h"

namespace rolvi::platform::sdl {

class SdlWindowSystem final : public WindowSystem {
 public:
  // `gbk_title` is the main window's title. `outer_size` is its size with a classic frame; the
  // client area starts as what that frame leaves, and the window is centred as that size: the
  // window manager's real frame, whatever its size, has its top-left at the centred point.
  SdlWindowSystem(std::string_view gbk_title, Size outer_size, FileSystem& files, TickSource ticks);
  ~SdlWindowSystem() override;
  SdlWindowSystem(const SdlWindowSystem&) = delete;
  SdlWindowSystem& operator=(const SdlWindowSystem&) = delete;

  // Initialises SDL, chooses the scale and creates the hidden main window; false with `error`
  // set when that fails. A ROLVI_SCALE that cannot be used is reported on standard error.
  bool Open(std::string& error);
  // How many screen pixels wide and high each of the program's pixels is.
  int scale() const { return scale_; }
  // Creation, first size, show, paint and the event loop, until the main window is destroyed.
  int Run(WindowHandlers& handlers);

  Surface* StartDrawing() override;
  Size ClientSize() const override { return client_size_; }
  Rect WindowRect() const override;
  Size ScreenSize() const override { return screen_size_; }
  std::uint32_t TickCount() override { return ticks_(); }
  void Pause(int milliseconds) override;
  bool Beep() override { return beeper_.Play(); }
  void SetMenuCheck(int command, bool checked) override;
  void StartTimer(int period_ms) override;
  void StopTimer() override { timer_.Stop(); }
  void DestroyMainWindow() override;
  void ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                      MessageIcon icon) override;
  void RunModalDialog(DialogTemplate dialog, DialogHandler& handler) override;
  bool OpenModelessDialog(DialogTemplate dialog, DialogHandler& handler) override;
  void CloseModelessDialog() override;
  void InvalidateModelessDialog() override { stats_invalid_ = true; }
  FileSystem& Files() override { return files_; }
  // A message box; once it can no longer be shown, a line on standard error.
  void ReportProblem(std::string_view gbk_text, std::string_view gbk_caption) override;

  class DialogHost;

 private:
  friend class DialogHost;

  void RunLoop(DialogHost* modal);
  // A stop was asked for (a signal, or SDL_QUIT): it ends every modal loop as its close box
  // would and then destroys the main window; it is never dropped.
  bool StopRequested() const { return stop_requested_ || StopSignals::Requested() != 0; }
  void EndForStop(DialogHost& host);
  static void OnConnectionLost(void* system);
  bool DoIdleWork();
  int WaitTimeout(bool sleep_through_ticks);
  void HandleEvent(const SDL_Event& event);
  void HandleWindowEvent(const SDL_WindowEvent& event);
  void HandleKey(const SDL_KeyboardEvent& event);
  void HandleMouseButton(const SDL_MouseButtonEvent& event);
  void HandleMouseMotion(const SDL_MouseMotionEvent& event);
  void HandleText(const SDL_TextInputEvent& event);
  void MainKey(const widgets::KeyEvent& key);
  void DecideScale(Size screen);
  DialogHost* HostOf(Uint32 window_id) const;
  // The window's largest size on the screen: a client area of at most kMaxClientSide
  // enlarged pixels on a side, and the menu bar.
  Size MaxWindowSize() const;
  void ResizeClient();
  void PaintMain();
  void PresentMain();
  void RunModal(DialogHost& host);
  void PaintBar();
  int BarHeight() const { return menu_.height(); }
  void ShowMessageBoxFor(SDL_Window* owner, std::string_view gbk_text, std::string_view gbk_caption,
                         MessageIcon icon);
  void Command(int command);

  std::string title_;  // UTF-8
  Size outer_size_;
  FileSystem& files_;
  TickSource ticks_;
  StopSignals stop_signals_;
  EventWait wait_;
  bool stop_requested_ = false;
  // Declared before every window, beep and surface of SDL's, so that it shuts SDL down last.
  VideoSession video_;
  int scale_ = 1;
  WindowHandle window_;
  int placed_client_x_ = 0;  // where the main window's client goes at start, screen pixels
  int placed_client_y_ = 0;
  WindowHandlers* handlers_ = nullptr;
  Size screen_size_;
  Size client_size_;
  bool shown_ = false;  // from the first show on; the hidden window presents nothing
  bool minimised_ = false;
  bool main_dirty_ = false;
  bool present_all_ = true;  // the next present copies everything, not only the changes
  bool drop_down_presented_ = false;
  PresentedPixels presented_;  // the window pixels of the last whole present
  bool quit_ = false;
  bool connection_lost_ = false;  // the display went away: no window can be shown
  SoftSurface measure_{1, 1};
  SoftSurface client_;
  SoftSurface bar_{1, 1};
  SoftSurface drop_down_{1, 1};
  widgets::MenuBar menu_;
  bool alt_tap_ = false;
  bool swallow_release_ = false;
  widgets::TimerClock timer_;
  Beeper beeper_;
  std::vector<DialogHost*> modal_stack_;
  std::unique_ptr<DialogHost> stats_;
  // A closed statistics window, destroyed once the loop is idle: it may be closing from
  // inside its own handler.
  std::vector<std::unique_ptr<DialogHost>> retired_;
  void Retire(std::unique_ptr<DialogHost> host);
  bool stats_invalid_ = false;
};

}  // namespace rolvi::platform::sdl
