// The browser page's window system: the main window (frame, menu bar and client area) and
// the dialogs, message boxes and statistics window as framed canvases on the page, each drawn
// in software; the event loop over the page's queued input with the accelerators and the
// coalesced timer; pauses that let the page run while the game's code waits; the chime. The
// shell sees the main window's outer rectangle at the origin of a screen of its own size, so
// that dialogs centred on the screen stand centred on the game.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/software/icon_file.h"
#include "platform/software/soft_surface.h"
#include "platform/tick_source.h"
#include "platform/web/page.h"
#include "platform/web/page_window.h"
#include "platform/widgets/dialog_model.h"
#include "platform/widgets/input.h"
#include "platform/widgets/menu_bar.h"
#include "platform/widgets/timer_clock.h"
#include "platform/window_system.h"

namespace rolvi::platform::web {

class WebWindowSystem final : public WindowSystem {
 public:
  // `gbk_title` is the main window's caption and the page's title. `outer_size` is the main
  // window's size with a classic frame; the client area is what that frame leaves of it, and
  // the window on the page is as much taller as the menu bar is.
  WebWindowSystem(Page& page, std::string_view gbk_title, Size outer_size, FileSystem& files,
                  TickSource ticks);
  ~WebWindowSystem() override;
  WebWindowSystem(const WebWindowSystem&) = delete;
  WebWindowSystem& operator=(const WebWindowSystem&) = delete;

  // Creation, first size, show, paint and the event loop, until the main window is destroyed;
  // then the page shows that the program is closed.
  void Run(WindowHandlers& handlers);
  // The page is being hidden, and may be closed unseen: the record table is kept at once.
  // Called from the page while the program waits; it touches no window.
  void OnPageHidden();
  bool running() const { return handlers_ != nullptr && !quit_; }

  // For the page's tests: the windows, their captions and texts, and the menu, as JSON with
  // every text as the hex digits of its GBK bytes.
  std::string Describe() const;

  Surface* StartDrawing() override;
  Size ClientSize() const override { return client_size_; }
  Rect WindowRect() const override { return main_.OuterRect(); }
  Size ScreenSize() const override { return main_.layout().outer; }
  std::uint32_t TickCount() override { return ticks_(); }
  void Pause(int milliseconds) override;
  bool Beep() override { return page_.Chime(); }
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
  // A notice on the page, at once, even while the page is hidden.
  void ReportProblem(std::string_view gbk_text, std::string_view gbk_caption) override;

  class DialogWindow;

 private:
  friend class DialogWindow;

  void RunLoop(DialogWindow* modal);
  bool DoIdleWork();
  int WaitTimeout();
  void HandleEvent(const PageEvent& event);
  void HandleKey(const PageEvent& event);
  void HandleMouse(const PageEvent& event);
  void MainKey(const widgets::KeyEvent& key);
  // A mouse event in the main window's content: the menu bar at the top, the client below.
  void MainMouse(PageEvent::Kind kind, int x, int y);
  DialogWindow* DialogOf(int window) const;
  void PaintMain();
  void PaintBar();
  void PresentMain();
  void RunModal(DialogWindow& dialog);
  // The window whose caption looks active: the top modal dialog, else the main window.
  void UpdateActivation();
  void ShowMessageBoxFor(const PageWindow& owner, std::string_view gbk_text,
                         std::string_view gbk_caption, MessageIcon icon);
  void Command(int command);
  void Retire(std::unique_ptr<DialogWindow> dialog);
  int BarHeight() const { return menu_.height(); }

  Page& page_;
  FileSystem& files_;
  TickSource ticks_;
  SoftSurface measure_{1, 1};
  widgets::MenuBar menu_;
  std::optional<IconPicture> icon_;
  Size client_size_;
  SoftSurface client_;
  SoftSurface bar_{1, 1};
  SoftSurface drop_down_{1, 1};
  PageWindow main_;
  WindowHandlers* handlers_ = nullptr;
  bool main_dirty_ = false;
  bool quit_ = false;
  bool alt_tap_ = false;
  bool swallow_release_ = false;
  widgets::TimerClock timer_;
  std::vector<DialogWindow*> modal_stack_;
  std::unique_ptr<DialogWindow> stats_;
  // A closed statistics window, destroyed once the loop is idle: it may be closing from
  // inside its own handler.
  std::vector<std::unique_ptr<DialogWindow>> retired_;
  bool stats_invalid_ = false;
};

}  // namespace rolvi::platform::web
