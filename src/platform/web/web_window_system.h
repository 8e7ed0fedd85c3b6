// The browser page's window system: the desk's windows as framed canvases on the page, each
// drawn in software, the page's queued input as desk events (the frames' own clicks handled
// here), pauses that let the page run while the game's code waits, and the chime. The shell
// sees the main window's outer rectangle at the origin of a screen of its own size, so that
// dialogs centred on the screen stand centred on the game.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/software/icon_file.h"
#include "platform/tick_source.h"
#include "platform/web/page.h"
#include "platform/web/page_window.h"
#include "platform/widgets/desk.h"

namespace rolvi::platform::web {

// The port: the page's canvases, events, waits and chime. Made before the desk and gone after
// it, so that the desk's windows close on a page that is still there.
class WebPort : public widgets::DeskPort {
 protected:
  explicit WebPort(Page& page) : page_(page), touch_(page.TouchScreen()) {}

  // The main window's content for a touch screen of `points`, and the page's text input over
  // a window's edit field, made and kept as the window is presented and made modal: the window
  // system knows them, the port does not.
  virtual Size TouchContentFor(Size points) { return points; }
  virtual void SyncTextField(int /*window*/) {}

  int OpenWindow(const widgets::WindowSpec& spec) override;
  void CloseWindow(int window) override;
  void ResizeWindow(int window, Size content) override;
  void PlaceWindow(int window, const widgets::Placement& placement) override;
  void ShowWindow(int window, bool shown) override;
  // The window with the keyboard draws its caption active, every other one inactive.
  void FocusWindow(int window, bool raise) override;
  void SetModalWindow(int window) override;
  Rect OuterRect(int window) const override;
  // The main window's outer size: it stands at the origin of the screen.
  Size ScreenArea() const override { return windows_.at(main_id_)->layout().outer; }
  void PresentAll(int window, Size covered, std::initializer_list<Layer> layers) override;
  bool PresentChanges(int window, std::initializer_list<Layer> layers) override;
  Size ContentSize(int window) override;
  void SetMinimumContentSize(int /*window*/, Size /*content*/) override {}  // never resized

  std::uint32_t Now() override { return page_.Now(); }
  bool NextEvent(widgets::DeskEvent& event) override;
  void WaitForEvent(int timeout_ms) override { page_.WaitForEvent(timeout_ms); }
  void Sleep(int milliseconds) override { page_.Sleep(milliseconds); }
  bool StopSignalled() override { return false; }
  bool Sound() override { return page_.Chime(); }
  void PlaceMenuButton(int window, const Rect& content_rect) override;
  void MenuCheckChanged(int command, bool checked) override;
  // A notice on the page, at once, even while the page is hidden; no message box.
  bool TellProblem(std::string_view gbk_text) override {
    page_.ShowNotice(gbk_text);
    return true;
  }

  PageWindow* Find(int window) const;
  bool Translate(const PageEvent& page, widgets::DeskEvent& event);

  Page& page_;
  bool touch_;  // the page shows the program for a touch screen
  // The page's text input over a dialog's edit field: its window (0: none) and the text
  // (GBK) it holds as far as the program knows.
  int field_window_ = 0;
  std::string field_text_;
  std::optional<IconPicture> icon_;
  std::map<int, std::unique_ptr<PageWindow>> windows_;
  int main_id_ = 0;
  int modal_ = 0;
};

class WebWindowSystem final : private WebPort, public widgets::Desk {
 public:
  // `outer_size` is the main window's size with a classic frame; the client area is what that
  // frame leaves of it, and the window on the page is as much taller as the menu bar is. The
  // caption, icon, menu, accelerators and dialogs are the program's, from `tables` and
  // `identity`.
  WebWindowSystem(Page& page, Size outer_size, const widgets::ResourceTables& tables,
                  const MainWindowIdentity& identity, FileSystem& files, TickSource ticks);
  ~WebWindowSystem() override;

  // Creation, first size, show, paint and the event loop, until the main window is destroyed;
  // then the page shows that the program is closed. On a touch screen the client area is what
  // the handlers ask for the page's size, and follows the page's size.
  void Run(WindowHandlers& handlers);
  // The page is being hidden, and may be closed unseen: the record table is kept at once.
  // Called from the page while the program waits; it touches no window.
  void OnPageHidden() { EndSession(); }

  // For the page's tests: the windows, their captions and texts, and the menu, as JSON with
  // every text as the hex digits of its GBK bytes.
  std::string Describe() const;

 private:
  Size TouchContentFor(Size points) override;
  // Puts the page's text input over a dialog's edit field once it is shown, and keeps its text
  // the field's.
  void SyncTextField(int window) override;
};

}  // namespace rolvi::platform::web
