#include "platform/headless/headless_window_system.h"

#include <algorithm>
#include <map>
#include <optional>

namespace rolvi::platform {

// A dialog without a window: it keeps its item texts and rectangle, the first item its handler
// gave a text (taken for the field a player would type into), and reports its end.
class HeadlessWindowSystem::Dialog final : public DialogControls {
 public:
  Dialog(HeadlessWindowSystem& system, Rect rect) : system_(system), rect_(rect) {}

  std::string ItemText(int control_id) const override {
    const auto found = texts_.find(control_id);
    return found == texts_.end() ? std::string() : found->second;
  }
  void SetItemText(int control_id, std::string_view gbk_text) override {
    texts_[control_id] = std::string(gbk_text);
    if (!first_set_) first_set_ = control_id;
  }
  void EndDialog(int) override { ended_ = true; }
  Rect WindowRect() const override { return rect_; }
  void MoveWindow(const Rect& outer) override { rect_ = outer; }
  Size ClientSize() const override { return {rect_.width(), rect_.height()}; }
  void ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                      MessageIcon icon) override {
    system_.ShowMessageBox(gbk_text, gbk_caption, icon);
  }

  bool ended() const { return ended_; }
  std::optional<int> first_set() const { return first_set_; }

 private:
  HeadlessWindowSystem& system_;
  Rect rect_;
  std::map<int, std::string> texts_;
  std::optional<int> first_set_;
  bool ended_ = false;
};

namespace {

Size Bounded(Size client) {
  return {std::clamp(client.width, 0, kMaxClientSide),
          std::clamp(client.height, 0, kMaxClientSide)};
}

}  // namespace

HeadlessWindowSystem::HeadlessWindowSystem(Size client, std::uint32_t tick_count, FileSystem& files)
    : files_(files),
      client_(Bounded(client)),
      surface_(client_.width, client_.height),
      tick_count_(tick_count) {}

HeadlessWindowSystem::~HeadlessWindowSystem() = default;

void HeadlessWindowSystem::Create() {
  handlers_->OnCreate();
}

bool HeadlessWindowSystem::Resize(int client_width, int client_height) {
  if (client_width < 0 || client_height < 0 || client_width > kMaxClientSide ||
      client_height > kMaxClientSide) {
    return false;
  }
  client_ = {client_width, client_height};
  surface_.Resize(client_width, client_height);
  handlers_->OnSize(client_width, client_height);
  Paint();
  return true;
}

void HeadlessWindowSystem::Paint() {
  if (!minimised_) handlers_->OnPaint(surface_);
}

void HeadlessWindowSystem::PressKey(ClientKey key) {
  if (!minimised_) handlers_->OnKey(key);
}

void HeadlessWindowSystem::Minimise() {
  minimised_ = true;
  handlers_->OnSize(0, 0);
}

void HeadlessWindowSystem::Restore() {
  minimised_ = false;
  Resize(client_.width, client_.height);
}

void HeadlessWindowSystem::ServePendingRepaints() {
  if (!stats_dirty_) return;
  stats_dirty_ = false;
  if (!stats_handler_ || !stats_surface_) return;
  if (observer_) observer_->OnStatsRefresh();
  stats_handler_->OnPaint(*stats_dialog_, *stats_surface_);
}

void HeadlessWindowSystem::Destroy() {
  if (destroyed_) return;
  destroyed_ = true;
  handlers_->OnDestroy();
}

bool HeadlessWindowSystem::menu_checked(int command) const {
  return checked_commands_.contains(command);
}

Rect HeadlessWindowSystem::WindowRect() const {
  // A classic frame around the client area, centred on the screen.
  const Size outer = ClassicOuterSize(client_);
  const Point place = CentreIn(ScreenSize(), outer);
  return {place.x, place.y, place.x + outer.width, place.y + outer.height};
}

bool HeadlessWindowSystem::Beep() {
  if (observer_) observer_->OnBeep();
  return true;
}

void HeadlessWindowSystem::SetMenuCheck(int command, bool checked) {
  if (checked) {
    checked_commands_.insert(command);
  } else {
    checked_commands_.erase(command);
  }
}

void HeadlessWindowSystem::DestroyMainWindow() {
  Destroy();
}

void HeadlessWindowSystem::ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                                          MessageIcon) {
  if (observer_) observer_->OnMessageBox(gbk_text, gbk_caption);
}

void HeadlessWindowSystem::ReportProblem(std::string_view gbk_text, std::string_view gbk_caption) {
  problems_.emplace_back(gbk_text);
  if (observer_) observer_->OnProblem(gbk_text, gbk_caption);
}

void HeadlessWindowSystem::RunModalDialog(int dialog, DialogHandler& handler) {
  if (observer_) observer_->OnDialog(dialog);
  // Without templates a dialog has no size of its own: its handler places and sizes it.
  Dialog controls(*this, {});
  handler.OnInit(controls);
  // A dialog that fills in an item at its start asks for text there: it is answered from the
  // queue. Every dialog ends as a player may end one without knowing its buttons: with its
  // close box, after one paint when it asks nothing.
  if (const std::optional<int> field = controls.first_set()) {
    AnswerFromQueue(controls, *field, handler);
    return;
  }
  const Rect rect = controls.WindowRect();
  SoftSurface scratch(std::max(1, rect.width()), std::max(1, rect.height()),
                      surface_.SystemColour(SystemColour::kFace));
  handler.OnPaint(controls, scratch);
  handler.OnClose(controls);
}

void HeadlessWindowSystem::AnswerFromQueue(Dialog& dialog, int field, DialogHandler& handler) {
  while (!dialog.ended()) {
    if (name_answers_.empty()) throw NoQueuedAnswer();
    dialog.SetItemText(field, name_answers_.front());
    name_answers_.pop_front();
    handler.OnClose(dialog);
  }
}

bool HeadlessWindowSystem::OpenModelessDialog(int /*dialog*/, DialogHandler& handler) {
  stats_handler_ = &handler;
  stats_dialog_ = std::make_unique<Dialog>(*this, Rect{});
  handler.OnInit(*stats_dialog_);
  const Size size = stats_dialog_->ClientSize();
  stats_surface_ = std::make_unique<SoftSurface>(size.width, size.height,
                                                 surface_.SystemColour(SystemColour::kFace));
  stats_dirty_ = true;
  return true;
}

void HeadlessWindowSystem::CloseModelessDialog() {
  stats_handler_ = nullptr;
  stats_dialog_.reset();
  stats_surface_.reset();
  stats_dirty_ = false;
}

}  // namespace rolvi::platform
