// The window manager of the back ends that draw their own windows (the desktop program on
// SDL, the browser page): the main window with its menu bar and client area and what changed
// on them, the event loop with the coalesced timer and the idle work, the routing of keys and
// mouse to the menu, the accelerators, the dialogs or the client, the modal stack of dialogs and
// message boxes, and the modeless statistics window. It serves the shell as its WindowSystem
// and reaches the system only through a DeskPort; each back end is a port and makes the main
// window.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "platform/file_system.h"
#include "platform/software/soft_surface.h"
#include "platform/tick_source.h"
#include "platform/widgets/desk_port.h"
#include "platform/widgets/dialog_session.h"
#include "platform/widgets/menu_bar.h"
#include "platform/widgets/resource_tables.h"
#include "platform/widgets/timer_clock.h"
#include "platform/window_system.h"

namespace rolvi::platform::widgets {

// A desktop's windows with menu bars and frames, or a touch screen that the main window's
// client area fills: no menu bar (the port shows the menu as a button), and dialogs whose
// buttons are kTouchTargetSide high.
enum class DeskStyle { kDesktop, kTouchScreen };

class Desk : public WindowSystem {
 public:
  class Dialog;

  // `outer_size` is the main window's size with a classic frame; the client area starts as
  // what that frame leaves, below the menu bar of `tables` (none on a touch screen).
  Desk(DeskPort& port, const ResourceTables& tables, const MainWindowIdentity& identity,
       Size outer_size, FileSystem& files, TickSource ticks, DeskStyle style = DeskStyle::kDesktop);
  ~Desk() override;
  Desk(const Desk&) = delete;
  Desk& operator=(const Desk&) = delete;

  // Creation, first size, show, paint and the event loop, until the main window is destroyed.
  void Run(WindowHandlers& handlers);
  // The session ends without a destroy (a lost display, a hidden page): the handlers keep
  // what must not be lost. Nothing happens before Run or after the main window's end.
  void EndSession();
  bool running() const { return handlers_ != nullptr && !quit_; }

  const MainWindowIdentity& identity() const { return identity_; }
  // The icon file the identity names, or an empty span.
  std::span<const std::uint8_t> IconFile() const;
  int main_window() const { return main_; }
  int bar_height() const { return touch() ? 0 : menu_.height(); }
  bool touch() const { return style_ == DeskStyle::kTouchScreen; }
  const MenuBar& menu() const { return menu_; }
  const ResourceTables& tables() const { return tables_; }
  bool timer_running() const { return timer_.running(); }
  // The modal dialogs from the bottom up, then the statistics window.
  std::vector<const Dialog*> Dialogs() const;

  // WindowSystem
  Surface* StartDrawing() override;
  Size ClientSize() const override { return client_size_; }
  Rect WindowRect() const override { return port_.OuterRect(main_); }
  Size ScreenSize() const override { return port_.ScreenArea(); }
  std::uint32_t TickCount() override { return ticks_(); }
  void Pause(int milliseconds) override;
  bool Beep() override { return port_.Sound(); }
  void SetMenuCheck(int command, bool checked) override;
  bool TouchScreen() const override { return touch(); }
  void PlaceMenuButton(const Rect& client_rect) override;
  void StartTimer(int period_ms) override { timer_.Start(port_.Now(), period_ms); }
  void StopTimer() override { timer_.Stop(); }
  void DestroyMainWindow() override;
  void ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                      MessageIcon icon) override;
  void RunModalDialog(int dialog, DialogHandler& handler) override;
  bool OpenModelessDialog(int dialog, DialogHandler& handler) override;
  void CloseModelessDialog() override;
  void InvalidateModelessDialog() override { stats_invalid_ = true; }
  FileSystem& Files() override { return files_; }
  // The port's own way, and a message box besides where the port wants one; no box once the
  // session ends, a stop was asked for or the main window is gone: nobody would read it.
  void ReportProblem(std::string_view gbk_text, std::string_view gbk_caption) override;

 protected:
  // The adapter made the main window `window`, hidden, whose content (menu bar and client)
  // came out `content`.
  void AttachMainWindow(int window, Size content);
  // The handlers from Run on, else null.
  WindowHandlers* handlers() const { return handlers_; }
  // The least height of a dialog's buttons.
  int least_button_height() const { return touch() ? kTouchTargetSide : 0; }

 private:
  void RunLoop(Dialog* modal);
  // A stop was asked for (a signal, or kQuit): it ends every modal loop as its close box would
  // and then destroys the main window; it is never dropped.
  bool StopRequested() { return stop_requested_ || port_.StopSignalled(); }
  void EndForStop(Dialog& dialog);
  bool DoIdleWork();
  int WaitTimeout(bool sleep_through_ticks);

  void HandleEvent(const DeskEvent& event);
  void OnKey(const DeskEvent& event);
  void MainKey(const KeyEvent& key, bool repeat);
  void OnMouse(const DeskEvent& event);
  // A mouse event in the main window's content: the menu bar at the top, the client below.
  void MainMouse(DeskEvent::Kind kind, int x, int y);
  void OnCloseRequest(int window);
  void OnMinimised();
  void OnRestored();
  void CloseMenu();
  Dialog* DialogOf(int window) const;

  void ResizeClient();
  void PaintBar();
  void PaintMain();
  void PresentMain();
  void Command(int command);

  void RunModal(Dialog& dialog);
  void ShowMessageBoxFor(int owner, std::string_view gbk_text, std::string_view gbk_caption,
                         MessageIcon icon);
  int TopWindow() const;
  void Retire(std::unique_ptr<Dialog> dialog);

  DeskPort& port_;
  DeskStyle style_;
  const ResourceTables& tables_;
  MainWindowIdentity identity_;
  FileSystem& files_;
  TickSource ticks_;
  WindowHandlers* handlers_ = nullptr;
  int main_ = 0;
  SoftSurface measure_{1, 1};
  MenuBar menu_;
  Size client_size_;
  SoftSurface client_;
  SoftSurface bar_{1, 1};
  SoftSurface drop_down_{1, 1};
  bool shown_ = false;  // from the first show on; the hidden window presents nothing
  bool minimised_ = false;
  bool quit_ = false;
  // Where the last pause should have ended: the next one, if it follows at once, is measured
  // from there (see Pause).
  std::optional<std::uint32_t> pause_end_;
  bool stop_requested_ = false;
  bool session_ending_ = false;  // from EndSession on: problems get no message box
  bool main_dirty_ = false;
  bool present_all_ = true;  // the next present copies everything, not only the changes
  bool drop_down_presented_ = false;
  bool alt_tap_ = false;
  bool swallow_release_ = false;
  TimerClock timer_;
  std::vector<Dialog*> modal_stack_;
  std::unique_ptr<Dialog> stats_;
  // A closed statistics window, destroyed once the loop is idle: it may be closing from
  // inside its own handler.
  std::vector<std::unique_ptr<Dialog>> retired_;
  bool stats_invalid_ = false;
};

// One dialog, message box or statistics window of the desk: a window of the port running a
// DialogModel and the dialog's handler, which sees rectangles on the port's screen.
class Desk::Dialog final : public DialogSession {
 public:
  // Made hidden, centred on the screen; the handler may move it before Show().
  Dialog(Desk& desk, DialogModel model, DialogHandler* handler, Kind kind,
         std::string_view gbk_caption, int owner);
  ~Dialog() override;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  int id() const { return id_; }
  // Puts it on the screen (modal ones with the keyboard); false when its window could not be
  // made, and then it has ended.
  bool Show();
  void Hide();
  // The statistics window leaves the screen while its owner is minimised and comes back with it.
  void FollowOwner(bool owner_minimised);
  void Present() override;
  void OnMouse(DeskEvent::Kind kind, int x, int y);

  Rect WindowRect() const override;
  void MoveWindow(const Rect& outer) override;
  void ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                      MessageIcon icon) override;

 private:
  bool shown() const override { return shown_; }
  void CloseModeless() override { desk_.CloseModelessDialog(); }

  Desk& desk_;
  int id_;
  bool shown_ = false;
  bool hidden_with_owner_ = false;
};

}  // namespace rolvi::platform::widgets
