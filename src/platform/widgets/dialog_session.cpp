#include "platform/widgets/dialog_session.h"

#include <algorithm>
#include <utility>

#include "platform/window_system.h"

namespace rolvi::platform::widgets {

DialogSession::DialogSession(DialogModel model, DialogHandler* handler, Kind kind)
    : model_(std::move(model)), handler_(handler), kind_(kind) {
  const Size size = model_.client_size();
  client_.Resize(size.width, size.height, client_.SystemColour(SystemColour::kFace));
}

void DialogSession::Paint(bool erase) {
  if (erase) model_.Paint(client_);
  if (handler_ != nullptr) handler_->OnPaint(*this, client_);
  Present();
}

void DialogSession::Apply(const DialogOutcome& outcome) {
  if (outcome.command) {
    if (kind_ == Kind::kMessageBox) {
      ended_ = true;
      return;
    }
    if (handler_ != nullptr) handler_->OnCommand(*this, *outcome.command);
  }
  if (outcome.redraw && !ended_) Paint(true);
}

void DialogSession::OnKey(const KeyEvent& key) {
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

void DialogSession::OnText(std::string_view gbk_text) {
  Apply(model_.OnText(gbk_text));
}

void DialogSession::OnFieldText(std::string_view gbk_text) {
  Apply(model_.ReplaceEditText(gbk_text));
}

void DialogSession::OnMouseDown(int x, int y) {
  Apply(model_.OnMouseDown(x, y));
}

void DialogSession::OnMouseUp(int x, int y) {
  Apply(model_.OnMouseUp(x, y));
}

void DialogSession::OnClose() {
  if (kind_ == Kind::kMessageBox) {
    ended_ = true;
    return;
  }
  // Unhandled, the close does nothing: the dialogs do not handle cancel.
  if (handler_ != nullptr) handler_->OnClose(*this);
}

void DialogSession::SetItemText(int control_id, std::string_view gbk_text) {
  model_.SetItemText(control_id, gbk_text);
  if (shown()) Paint(true);
}

void DialogSession::EndDialog(int /*result*/) {
  ended_ = true;
  if (kind_ == Kind::kModeless) CloseModeless();
}

bool DialogSession::ResizeClient(Size size) {
  const Size bounded{std::clamp(size.width, 1, kMaxClientSide),
                     std::clamp(size.height, 1, kMaxClientSide)};
  if (bounded.width == client_.width() && bounded.height == client_.height()) return false;
  client_.Resize(bounded.width, bounded.height, client_.SystemColour(SystemColour::kFace));
  model_.SetClientSize(bounded);
  return true;
}

}  // namespace rolvi::platform::widgets
