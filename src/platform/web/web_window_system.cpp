#include "platform/web/web_window_system.h"

#include <algorithm>

#include "platform/web/dialog_window.h"
#include "platform/web/dom_keys.h"
#include "platform/widgets/main_keys.h"
#include "platform/widgets/resource_tables.h"

namespace rolvi::platform::web {

using widgets::DialogData;
using widgets::DialogModel;
using widgets::FindDialog;
using widgets::Key;
using widgets::KeyEvent;
using widgets::MenuResult;
using widgets::ProgramResourceTables;

namespace {

constexpr int kIconId = 3000;  // the program icon in the resources
// The desk the page fits: the main window with a margin around it, and room on its right for
// the statistics window, which opens beside the board and reaches past the main window.
constexpr int kDeskMargin = 8;
constexpr int kRoomForStatistics = 40;

// The client area is what a classic frame and menu bar leave of the outer size, as on the
// desktop; the menu bar, laid out here, may be taller than the classic one.
Size LaidOutClientSize(widgets::MenuBar& menu, const SoftSurface& measure, Size outer) {
  const Size client = ClassicClientSize(outer);
  menu.Layout(measure, client.width);
  return client;
}

std::optional<IconPicture> ProgramIcon() {
  for (const widgets::BinaryResource& icon : ProgramResourceTables().icons) {
    if (icon.id != kIconId) continue;
    if (const auto picture = ReadIconFile(icon.bytes)) return CaptionIcon(*picture);
  }
  return std::nullopt;
}

}  // namespace

WebWindowSystem::WebWindowSystem(Page& page, std::string_view gbk_title, Size outer_size,
                                 FileSystem& files, TickSource ticks)
    : page_(page),
      files_(files),
      ticks_(ticks),
      menu_(ProgramResourceTables().menu),
      icon_(ProgramIcon()),
      client_size_(LaidOutClientSize(menu_, measure_, outer_size)),
      client_(client_size_.width, client_size_.height),
      main_(page, FrameStyle::kMain, gbk_title,
            Size{client_size_.width, BarHeight() + client_size_.height},
            icon_ ? &*icon_ : nullptr) {
  bar_.Resize(client_size_.width, BarHeight());
  page_.SetTitle(gbk_title);
  page_.SetDesk(Rect{-kDeskMargin, -kDeskMargin, main_.layout().outer.width + kRoomForStatistics,
                     main_.layout().outer.height + kDeskMargin});
}

WebWindowSystem::~WebWindowSystem() = default;

void WebWindowSystem::Run(WindowHandlers& handlers) {
  handlers_ = &handlers;
  handlers.OnCreate();
  handlers.OnSize(client_size_.width, client_size_.height);
  main_.Show();
  PaintMain();
  RunLoop(nullptr);
  page_.ShowClosed();
}

void WebWindowSystem::OnPageHidden() {
  if (running()) handlers_->OnSessionEnding();
}

Surface* WebWindowSystem::StartDrawing() {
  if (quit_) return nullptr;
  main_dirty_ = true;
  return &client_;
}

void WebWindowSystem::Pause(int milliseconds) {
  if (!quit_) PresentMain();
  page_.Sleep(milliseconds);
}

void WebWindowSystem::SetMenuCheck(int command, bool checked) {
  menu_.SetCheck(command, checked);
  if (menu_.active()) PaintBar();
}

void WebWindowSystem::StartTimer(int period_ms) {
  timer_.Start(page_.Now(), period_ms);
}

void WebWindowSystem::DestroyMainWindow() {
  if (quit_) return;
  menu_.Close();
  handlers_->OnDestroy();
  quit_ = true;
  timer_.Stop();
}

void WebWindowSystem::PaintBar() {
  menu_.PaintLayers(bar_, drop_down_);
  main_dirty_ = true;
}

void WebWindowSystem::PaintMain() {
  if (quit_) return;
  client_.FillRect(Rect{0, 0, client_size_.width, client_size_.height}, kBlack);
  handlers_->OnPaint(client_);
  PaintBar();
  PresentMain();
}

void WebWindowSystem::PresentMain() {
  main_dirty_ = false;
  if (quit_) return;
  if (const auto drop_down = menu_.DropDownRect()) {
    main_.Present({Layer{&client_, 0, BarHeight()}, Layer{&bar_, 0, 0},
                   Layer{&drop_down_, drop_down->left, drop_down->top}});
  } else {
    main_.Present({Layer{&client_, 0, BarHeight()}, Layer{&bar_, 0, 0}});
  }
}

void WebWindowSystem::Command(int command) {
  PaintBar();
  PresentMain();
  handlers_->OnCommand(command);
}

void WebWindowSystem::RunLoop(DialogWindow* modal) {
  while (!quit_ && (modal == nullptr || !modal->ended())) {
    PageEvent event;
    if (page_.NextEvent(event)) {
      HandleEvent(event);
      continue;
    }
    if (DoIdleWork()) continue;
    page_.WaitForEvent(WaitTimeout());
  }
}

bool WebWindowSystem::DoIdleWork() {
  if (!retired_.empty()) {
    retired_.clear();
    return true;
  }
  if (stats_invalid_) {
    stats_invalid_ = false;
    if (stats_) stats_->Paint(false);
    return true;
  }
  if (timer_.TakeTick(page_.Now())) {
    handlers_->OnTimer();  // what it draws goes through StartDrawing(), which marks the frame
    return true;
  }
  if (main_dirty_) {
    PresentMain();
    return true;
  }
  return false;
}

int WebWindowSystem::WaitTimeout() {
  if (const auto due = timer_.TimeUntilDue(page_.Now())) return static_cast<int>(*due);
  return -1;
}

WebWindowSystem::DialogWindow* WebWindowSystem::DialogOf(int window) const {
  for (DialogWindow* dialog : modal_stack_) {
    if (dialog->window().id() == window) return dialog;
  }
  if (stats_ && stats_->window().id() == window) return stats_.get();
  return nullptr;
}

void WebWindowSystem::HandleEvent(const PageEvent& event) {
  switch (event.kind) {
    case PageEvent::Kind::kKeyDown:
    case PageEvent::Kind::kKeyUp:
      HandleKey(event);
      break;
    case PageEvent::Kind::kMouseDown:
    case PageEvent::Kind::kMouseUp:
    case PageEvent::Kind::kMouseMove:
      HandleMouse(event);
      break;
    case PageEvent::Kind::kFocusLost:
      alt_tap_ = false;
      if (menu_.active()) {
        menu_.Close();
        PaintBar();
      }
      break;
    case PageEvent::Kind::kNone:
      break;
  }
}

void WebWindowSystem::HandleKey(const PageEvent& event) {
  const std::optional<KeyEvent> key = KeyFromDom(event.code, event.key, event.modifiers);
  const bool is_alt = key && key->key == Key::kAlt;
  if (event.kind == PageEvent::Kind::kKeyUp) {
    if (is_alt && alt_tap_ && modal_stack_.empty() && !quit_) {
      alt_tap_ = false;
      menu_.OnAltTap();
      PaintBar();
    }
    return;
  }
  alt_tap_ = is_alt && !event.repeat;
  if (is_alt || quit_) return;
  if (!modal_stack_.empty()) {
    DialogWindow* top = modal_stack_.back();
    if (key) top->OnKey(*key);
    // What the key types goes to the same dialog, unless the key ended it; Alt and Control
    // combinations are commands and mnemonics, not typing.
    const bool typing = (event.modifiers & (kModifierAlt | kModifierControl | kModifierMeta)) == 0;
    if (typing && !event.text.empty() && !top->ended() && !modal_stack_.empty() &&
        modal_stack_.back() == top) {
      top->OnText(event.text);
    }
    return;
  }
  if (key) MainKey(*key);
}

void WebWindowSystem::MainKey(const KeyEvent& key) {
  const widgets::MainKeyRoute route =
      widgets::RouteMainWindowKey(menu_, ProgramResourceTables().accelerators, key);
  if (route.repaint_bar) PaintBar();
  if (route.close_window) DestroyMainWindow();
  if (route.command) Command(*route.command);
}

void WebWindowSystem::HandleMouse(const PageEvent& event) {
  if (quit_) return;
  if (event.window == 0) {  // the desk beside the windows
    if (event.kind == PageEvent::Kind::kMouseDown && menu_.active()) {
      menu_.Close();
      PaintBar();
    }
    return;
  }
  if (!modal_stack_.empty()) {
    DialogWindow* top = modal_stack_.back();
    if (event.window == top->window().id()) top->OnMouse(event.kind, event.x, event.y);
    return;  // every other window is disabled
  }
  if (stats_ && event.window == stats_->window().id()) {
    stats_->OnMouse(event.kind, event.x, event.y);
    return;
  }
  if (event.window != main_.id()) return;
  switch (main_.OnFrameMouse(event.kind, event.x, event.y)) {
    case FrameInput::kClose:
      PresentMain();
      DestroyMainWindow();
      return;
    case FrameInput::kHandled:
      if (event.kind == PageEvent::Kind::kMouseDown && menu_.active()) {
        menu_.Close();
        PaintBar();
      }
      if (main_.frame_stale() || main_dirty_) PresentMain();
      return;
    case FrameInput::kNotFrame:
      break;
  }
  const Rect content = main_.layout().content;
  MainMouse(event.kind, event.x - content.left, event.y - content.top);
}

void WebWindowSystem::MainMouse(PageEvent::Kind kind, int x, int y) {
  switch (kind) {
    case PageEvent::Kind::kMouseDown:
      if (menu_.active() || y < BarHeight()) {
        menu_.OnMouseDown(x, y);
        swallow_release_ = true;
        PaintBar();
        return;
      }
      handlers_->OnMouseDown(x, y - BarHeight());
      return;
    case PageEvent::Kind::kMouseUp:
      if (swallow_release_ || menu_.active()) {
        swallow_release_ = false;
        const MenuResult result = menu_.OnMouseUp(x, y);
        PaintBar();
        if (result.command) Command(*result.command);
        return;
      }
      handlers_->OnMouseUp(x, y - BarHeight());
      return;
    case PageEvent::Kind::kMouseMove:
      if (menu_.active() && menu_.OnMouseMove(x, y).consumed) PaintBar();
      return;
    default:
      return;
  }
}

void WebWindowSystem::UpdateActivation() {
  main_.SetActive(modal_stack_.empty());
  for (DialogWindow* dialog : modal_stack_) {
    dialog->window().SetActive(dialog == modal_stack_.back());
    dialog->Present();
  }
  if (stats_) {
    stats_->window().SetActive(false);
    stats_->Present();
  }
  PresentMain();
}

void WebWindowSystem::RunModal(DialogWindow& dialog) {
  dialog.Show();
  modal_stack_.push_back(&dialog);
  UpdateActivation();
  RunLoop(&dialog);
  modal_stack_.pop_back();
  if (!quit_) UpdateActivation();
}

void WebWindowSystem::ReportProblem(std::string_view gbk_text, std::string_view) {
  page_.ShowNotice(gbk_text);
}

void WebWindowSystem::ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                                     MessageIcon icon) {
  const PageWindow& owner = modal_stack_.empty() ? main_ : modal_stack_.back()->window();
  ShowMessageBoxFor(owner, gbk_text, gbk_caption, icon);
}

void WebWindowSystem::ShowMessageBoxFor(const PageWindow& owner, std::string_view gbk_text,
                                        std::string_view gbk_caption, MessageIcon icon) {
  if (quit_) return;
  DialogWindow box(*this,
                   DialogModel::ForMessageBox(gbk_text, gbk_caption,
                                              icon == MessageIcon::kExclamation, measure_),
                   nullptr, DialogWindow::Kind::kMessageBox, gbk_caption);
  // Centred over its owner, frames included.
  const Rect over = owner.OuterRect();
  const Point place = CentreIn({over.width(), over.height()}, box.window().layout().outer);
  box.window().MoveTo(Point{over.left + place.x, over.top + place.y});
  box.model().FocusFirstTabStop();
  RunModal(box);
}

void WebWindowSystem::RunModalDialog(DialogTemplate dialog, DialogHandler& handler) {
  const DialogData* data = FindDialog(static_cast<int>(dialog));
  if (data == nullptr || quit_) return;
  DialogWindow window(*this, DialogModel::FromTemplate(*data, measure_), &handler,
                      DialogWindow::Kind::kModal, data->caption);
  handler.OnInit(window);
  window.model().FocusFirstTabStop();
  RunModal(window);
}

bool WebWindowSystem::OpenModelessDialog(DialogTemplate dialog, DialogHandler& handler) {
  const DialogData* data = FindDialog(static_cast<int>(dialog));
  if (data == nullptr || stats_ || quit_) return false;
  stats_ = std::make_unique<DialogWindow>(*this, DialogModel::FromTemplate(*data, measure_),
                                          &handler, DialogWindow::Kind::kModeless, data->caption);
  handler.OnInit(*stats_);
  if (!stats_) return true;           // it closed itself during initialisation
  stats_->window().SetActive(false);  // the keyboard stays with the main window
  stats_->Show();
  return true;
}

void WebWindowSystem::CloseModelessDialog() {
  if (!stats_) return;
  // It may be closing from inside its own handler, so it is destroyed once the loop is idle.
  Retire(std::move(stats_));
  stats_invalid_ = false;
}

void WebWindowSystem::Retire(std::unique_ptr<DialogWindow> dialog) {
  dialog->window().Hide();
  retired_.push_back(std::move(dialog));
}

}  // namespace rolvi::platform::web
