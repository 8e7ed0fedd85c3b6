#include "platform/web/dialog_window.h"

#include <utility>

namespace rolvi::platform::web {

using widgets::DialogModel;

WebWindowSystem::DialogWindow::DialogWindow(WebWindowSystem& system, DialogModel model,
                                            DialogHandler* handler, Kind kind,
                                            std::string_view gbk_caption)
    : DialogSession(std::move(model), handler, kind),
      system_(system),
      window_(system.page_, FrameStyle::kDialog, gbk_caption, ClientSize()) {
  const Size outer = window_.layout().outer;
  window_.MoveTo(CentreIn(system_.ScreenSize(), outer));
}

void WebWindowSystem::DialogWindow::Show() {
  window_.Show();
  Paint(true);
}

void WebWindowSystem::DialogWindow::Present() {
  window_.Present({Layer{&client(), 0, 0}});
}

void WebWindowSystem::DialogWindow::OnMouse(PageEvent::Kind kind, int x, int y) {
  switch (window_.OnFrameMouse(kind, x, y)) {
    case FrameInput::kClose:
      Present();
      OnClose();
      return;
    case FrameInput::kHandled:
      if (window_.frame_stale()) Present();
      return;
    case FrameInput::kNotFrame:
      break;
  }
  const Rect content = window_.layout().content;
  const int cx = x - content.left;
  const int cy = y - content.top;
  if (kind == PageEvent::Kind::kMouseDown) {
    OnMouseDown(cx, cy);
  } else if (kind == PageEvent::Kind::kMouseUp) {
    OnMouseUp(cx, cy);
  }
}

void WebWindowSystem::DialogWindow::MoveWindow(const Rect& outer) {
  // As on a desktop, the frame is the window system's: a move that keeps the outer size keeps
  // the content as it is, and a new size is the content's.
  const Rect now = WindowRect();
  if ((outer.width() != now.width() || outer.height() != now.height()) &&
      ResizeClient({outer.width(), outer.height()})) {
    window_.ResizeContent(ClientSize());
  }
  window_.MoveTo(Point{outer.left, outer.top});
  if (window_.shown()) Paint(true);
}

void WebWindowSystem::DialogWindow::ShowMessageBox(std::string_view gbk_text,
                                                   std::string_view gbk_caption, MessageIcon icon) {
  system_.ShowMessageBoxFor(window_, gbk_text, gbk_caption, icon);
}

}  // namespace rolvi::platform::web
