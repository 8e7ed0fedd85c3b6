// The desk's dialogs: each dialog's window, the modal stack with its message boxes, and the
// modeless statistics window.
#include <utility>

#include "platform/widgets/desk.h"

namespace rolvi::platform::widgets {

Desk::Dialog::Dialog(Desk& desk, DialogModel model, DialogHandler* handler, Kind kind,
                     std::string_view gbk_caption, int owner)
    : DialogSession(std::move(model), handler, kind),
      desk_(desk),
      id_(desk.port_.OpenWindow({kind == Kind::kModeless ? WindowRole::kTool : WindowRole::kDialog,
                                 gbk_caption, ClientSize(), owner})) {
  if (id_ != 0) desk_.port_.PlaceWindow(id_, {});
}

Desk::Dialog::~Dialog() {
  if (id_ != 0) desk_.port_.CloseWindow(id_);
}

bool Desk::Dialog::Show() {
  if (id_ == 0) {
    MarkEnded();
    return false;
  }
  desk_.port_.ShowWindow(id_, true);
  shown_ = true;
  if (kind() != Kind::kModeless) desk_.port_.FocusWindow(id_, true);
  Paint(true);
  return true;
}

void Desk::Dialog::Hide() {
  if (id_ != 0) desk_.port_.ShowWindow(id_, false);
}

void Desk::Dialog::FollowOwner(bool owner_minimised) {
  if (id_ == 0 || !shown_) return;
  if (owner_minimised && !hidden_with_owner_) {
    hidden_with_owner_ = true;
    Hide();
  } else if (!owner_minimised && hidden_with_owner_) {
    hidden_with_owner_ = false;
    desk_.port_.ShowWindow(id_, true);
    Paint(false);
  }
}

void Desk::Dialog::Present() {
  if (id_ == 0 || !shown_) return;
  desk_.port_.PresentAll(id_, ClientSize(), {Layer{&client(), 0, 0}});
}

void Desk::Dialog::OnMouse(DeskEvent::Kind kind, int x, int y) {
  if (kind == DeskEvent::Kind::kMouseDown) {
    OnMouseDown(x, y);
  } else if (kind == DeskEvent::Kind::kMouseUp) {
    OnMouseUp(x, y);
  }
}

Rect Desk::Dialog::WindowRect() const {
  if (id_ == 0) return Rect{0, 0, ClientSize().width, ClientSize().height};
  return desk_.port_.OuterRect(id_);
}

void Desk::Dialog::MoveWindow(const Rect& outer) {
  // The frame is the window system's and its size is not the program's to choose: a move that
  // keeps the outer size keeps the client as it is, and a new size is the client's.
  const Rect now = WindowRect();
  if ((outer.width() != now.width() || outer.height() != now.height()) &&
      ResizeClient({outer.width(), outer.height()}) && id_ != 0) {
    desk_.port_.ResizeWindow(id_, ClientSize());
  }
  if (id_ != 0) {
    desk_.port_.PlaceWindow(id_, {Placement::How::kAt, 0, Point{outer.left, outer.top}});
  }
  if (shown_) Paint(true);
}

void Desk::Dialog::ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                                  MessageIcon icon) {
  desk_.ShowMessageBoxFor(id_, gbk_text, gbk_caption, icon);
}

std::vector<const Desk::Dialog*> Desk::Dialogs() const {
  std::vector<const Dialog*> dialogs(modal_stack_.begin(), modal_stack_.end());
  if (stats_) dialogs.push_back(stats_.get());
  return dialogs;
}

int Desk::TopWindow() const {
  return modal_stack_.empty() ? main_ : modal_stack_.back()->id();
}

void Desk::RunModal(Dialog& dialog) {
  if (StopRequested()) {  // ends at once, without showing itself
    EndForStop(dialog);
    return;
  }
  if (!dialog.Show()) return;
  modal_stack_.push_back(&dialog);
  port_.SetModalWindow(dialog.id());
  RunLoop(&dialog);
  modal_stack_.pop_back();
  port_.SetModalWindow(modal_stack_.empty() ? 0 : TopWindow());
  if (!quit_) port_.FocusWindow(TopWindow(), true);
}

void Desk::ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                          MessageIcon icon) {
  ShowMessageBoxFor(TopWindow(), gbk_text, gbk_caption, icon);
}

void Desk::ReportProblem(std::string_view gbk_text, std::string_view gbk_caption) {
  if (port_.TellProblem(gbk_text) || session_ending_ || main_ == 0) return;
  ShowMessageBox(gbk_text, gbk_caption, MessageIcon::kExclamation);
}

void Desk::ShowMessageBoxFor(int owner, std::string_view gbk_text, std::string_view gbk_caption,
                             MessageIcon icon) {
  if (quit_ || StopRequested()) return;  // nobody would read it
  Dialog box(*this,
             DialogModel::ForMessageBox(gbk_text, gbk_caption, icon == MessageIcon::kExclamation,
                                        measure_, least_button_height()),
             nullptr, Dialog::Kind::kMessageBox, gbk_caption, owner);
  // Centred over its owner, frames included.
  if (box.id() != 0) port_.PlaceWindow(box.id(), {Placement::How::kCentreOver, owner, {}});
  box.model().FocusFirstTabStop();
  RunModal(box);
}

void Desk::RunModalDialog(int dialog, DialogHandler& handler) {
  const DialogData* data = FindDialog(tables_, dialog);
  if (data == nullptr || quit_) return;
  Dialog window(*this, DialogModel::FromTemplate(*data, measure_, least_button_height()), &handler,
                Dialog::Kind::kModal, data->caption, TopWindow());
  handler.OnInit(window);
  window.model().FocusFirstTabStop();
  RunModal(window);
}

bool Desk::OpenModelessDialog(int dialog, DialogHandler& handler) {
  const DialogData* data = FindDialog(tables_, dialog);
  if (data == nullptr || stats_ || quit_) return false;
  stats_ = std::make_unique<Dialog>(
      *this, DialogModel::FromTemplate(*data, measure_, least_button_height()), &handler,
      Dialog::Kind::kModeless, data->caption, main_);
  handler.OnInit(*stats_);
  if (!stats_) return true;  // it closed itself during initialisation
  if (!stats_->Show()) {
    stats_.reset();
    return false;
  }
  port_.FocusWindow(main_, false);  // the keyboard stays with the main window
  return true;
}

void Desk::CloseModelessDialog() {
  if (!stats_) return;
  port_.FocusWindow(main_, false);
  // It may be closing from inside its own handler, so it is destroyed once the loop is idle.
  Retire(std::move(stats_));
  stats_invalid_ = false;
}

void Desk::Retire(std::unique_ptr<Dialog> dialog) {
  dialog->Hide();
  retired_.push_back(std::move(dialog));
}

}  // namespace rolvi::platform::widgets
