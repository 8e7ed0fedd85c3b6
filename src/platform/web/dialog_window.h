// One dialog, message box or statistics window on the page: a framed canvas running a
// DialogModel and the dialog's handler. The handler sees rectangles on the shell's screen, in
// the program's pixels, the outer rectangle being the frame's.
#pragma once

#include <string_view>

#include "platform/web/page_window.h"
#include "platform/web/web_window_system.h"
#include "platform/widgets/dialog_session.h"

namespace rolvi::platform::web {

class WebWindowSystem::DialogWindow final : public widgets::DialogSession {
 public:
  // Made hidden, centred on the screen; the handler may move it before Show().
  DialogWindow(WebWindowSystem& system, widgets::DialogModel model, DialogHandler* handler,
               Kind kind, std::string_view gbk_caption);

  void Show();
  PageWindow& window() { return window_; }
  const PageWindow& window() const { return window_; }
  void Present() override;

  // Mouse input in canvas pixels: the frame's, or the client area's.
  void OnMouse(PageEvent::Kind kind, int x, int y);

  Rect WindowRect() const override { return window_.OuterRect(); }
  void MoveWindow(const Rect& outer) override;
  void ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                      MessageIcon icon) override;

 private:
  bool shown() const override { return window_.shown(); }
  void CloseModeless() override { system_.CloseModelessDialog(); }

  WebWindowSystem& system_;
  PageWindow window_;
};

}  // namespace rolvi::platform::web
