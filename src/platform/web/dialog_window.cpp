#include "platform/web/dialog_window.h"

#include <algorithm>

namespace rolvi::platform::web {

using widgets::DialogModel;
using widgets::DialogOutcome;
using widgets::Key;
using widgets::KeyEvent;

WebWindowSystem::DialogWindow::DialogWindow(WebWindowSystem& system, DialogModel model,
                                            DialogHandler* handler, Kind kind,
                                            std::string_view gbk_caption)
    : system_(system),
      model_(std::move(model)),
      handler_(handler),
      kind_(kind),
      window_(system.page_, FrameStyle::kDialog, gbk_caption, model_.client_size()) {
  const Size content = model_.client_size();
  content_.Resize(content.width, content.height, content_.SystemColour(SystemColour::kFace));
  const Size outer = window_.layout().outer;
  window_.MoveTo(CentreIn(system_.ScreenSize(), outer));
}

void WebWindowSystem::DialogWindow::Show() {
  window_.Show();
  Paint(true);
}

void WebWindowSystem::DialogWindow::Paint(bool erase) {
  if (erase) model_.Paint(content_);
  if (handler_ != nullptr) handler_->OnPaint(*this, content_);
  Present();
}

void WebWindowSystem::DialogWindow::Present() {
  window_.Present({Layer{&content_, 0, 0}});
}

void WebWindowSystem::DialogWindow::Apply(const DialogOutcome& outcome) {
  if (outcome.command) {
    if (kind_ == Kind::kMessageBox) {
      ended_ = true;
      return;
    }
    if (handler_ != nullptr) handler_->OnCommand(*this, *outcome.command);
  }
  if (outcome.redraw && !ended_) Paint(true);
}

void WebWindowSystem::DialogWindow::OnKey(const KeyEvent& key) {
  if (key.key == Key::kFunction && key.function == 4 && key.alt) {
    OnClose();
    return;
  }
  if (kind_ == Kind::kMessageBox && key.key == Key::kEscape) {
    ended_ = true;
    return;
  }
  Apply(model_.OnKey(key));
}

void WebWindowSystem::DialogWindow::OnText(std::string_view gbk_text) {
  Apply(model_.OnText(gbk_text));
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
    Apply(model_.OnMouseDown(cx, cy));
  } else if (kind == PageEvent::Kind::kMouseUp) {
    Apply(model_.OnMouseUp(cx, cy));
  }
}

void WebWindowSystem::DialogWindow::OnClose() {
  if (kind_ == Kind::kMessageBox) {
    ended_ = true;
    return;
  }
  // Unhandled, the close does nothing: the dialogs do not handle cancel.
  if (handler_ != nullptr) handler_->OnClose(*this);
}

void WebWindowSystem::DialogWindow::SetItemText(int control_id, std::string_view gbk_text) {
  model_.SetItemText(control_id, gbk_text);
  if (window_.shown()) Paint(true);
}

void WebWindowSystem::DialogWindow::EndDialog(int /*result*/) {
  ended_ = true;
  if (kind_ == Kind::kModeless) system_.CloseModelessDialog();
}

void WebWindowSystem::DialogWindow::MoveWindow(const Rect& outer) {
  // As on a desktop, the frame is the window system's: a move that keeps the outer size keeps
  // the content as it is, and a new size is the content's.
  const Rect now = WindowRect();
  if (outer.width() != now.width() || outer.height() != now.height()) {
    const Size content{std::clamp(outer.width(), 1, kMaxClientSide),
                       std::clamp(outer.height(), 1, kMaxClientSide)};
    if (content.width != content_.width() || content.height != content_.height()) {
      content_.Resize(content.width, content.height, content_.SystemColour(SystemColour::kFace));
      model_.SetClientSize(content);
      window_.ResizeContent(content);
    }
  }
  window_.MoveTo(Point{outer.left, outer.top});
  if (window_.shown()) Paint(true);
}

void WebWindowSystem::DialogWindow::ShowMessageBox(std::string_view gbk_text,
                                                   std::string_view gbk_caption, MessageIcon icon) {
  system_.ShowMessageBoxFor(window_, gbk_text, gbk_caption, icon);
}

}  // namespace rolvi::platform::web
