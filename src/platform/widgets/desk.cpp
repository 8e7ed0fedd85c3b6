#include "platform/widgets/desk.h"

#include <algorithm>

#include "platform/widgets/main_keys.h"

namespace rolvi::platform::widgets {

Desk::Desk(DeskPort& port, const ResourceTables& tables, const MainWindowIdentity& identity,
           Size outer_size, FileSystem& files, TickSource ticks, DeskStyle style)
    : port_(port),
      style_(style),
      tables_(tables),
      identity_(identity),
      files_(files),
      ticks_(ticks),
      menu_(tables.menu),
      client_size_(ClassicClientSize(outer_size)),
      client_(client_size_.width, client_size_.height) {
  // The client area is what a classic frame and menu bar leave of the outer size; the menu
  // bar, laid out here, may be taller than the classic one.
  menu_.Layout(measure_, client_size_.width);
  bar_.Resize(client_size_.width, bar_height());
}

Desk::~Desk() = default;

std::span<const std::uint8_t> Desk::IconFile() const {
  return FindIcon(tables_, identity_.icon_id);
}

void Desk::AttachMainWindow(int window, Size content) {
  main_ = window;
  client_size_ = Size{content.width, std::max(0, content.height - bar_height())};
  client_.Resize(client_size_.width, client_size_.height);
  bar_.Resize(client_size_.width, bar_height());
}

void Desk::Run(WindowHandlers& handlers) {
  handlers_ = &handlers;
  const Size minimum = ClassicClientSize(handlers.MinimumTrackSize(), bar_height());
  port_.SetMinimumContentSize(
      main_, Size{std::max(1, minimum.width), std::max(1, minimum.height + bar_height())});
  handlers.OnCreate();
  handlers.OnSize(client_size_.width, client_size_.height);
  port_.ShowWindow(main_, true);
  shown_ = true;
  present_all_ = true;
  PaintMain();
  RunLoop(nullptr);
}

void Desk::EndSession() {
  if (!running()) return;
  session_ending_ = true;
  handlers_->OnSessionEnding();
}

Surface* Desk::StartDrawing() {
  if (minimised_ || quit_) return nullptr;
  main_dirty_ = true;
  return &client_;
}

void Desk::Pause(int milliseconds) {
  // Once a stop is requested the animations run through without pausing, so that the
  // program ends promptly.
  if (StopRequested()) return;
  if (!quit_) PresentMain();
  // An animation's pauses follow one another: each is measured from where the last one should
  // have ended, so that the system's late wake-ups and the drawing between them do not add up
  // over the animation. A pause after a longer gap starts from now.
  constexpr std::uint32_t kCatchUpLimit = 20;
  const std::uint32_t now = port_.Now();
  const std::uint32_t length = static_cast<std::uint32_t>(std::max(0, milliseconds));
  const bool follows = pause_end_ && now - *pause_end_ <= kCatchUpLimit;
  const std::uint32_t end = (follows ? *pause_end_ : now) + length;
  pause_end_ = end;
  // Always asleep for a moment at least: the browser shows what was presented only then.
  port_.Sleep(static_cast<int>(end - now <= length ? end - now : 0));
}

void Desk::SetMenuCheck(int command, bool checked) {
  menu_.SetCheck(command, checked);
  if (menu_.active()) PaintBar();
  port_.MenuCheckChanged(command, checked);
}

void Desk::PlaceMenuButton(const Rect& client_rect) {
  if (!touch()) return;
  const int bar = bar_height();
  port_.PlaceMenuButton(main_, Rect{client_rect.left, client_rect.top + bar, client_rect.right,
                                    client_rect.bottom + bar});
}

void Desk::DestroyMainWindow() {
  if (quit_) return;
  menu_.Close();
  handlers_->OnDestroy();
  quit_ = true;
  timer_.Stop();
  port_.ShowWindow(main_, false);
}

void Desk::RunLoop(Dialog* modal) {
  while (!quit_ && (modal == nullptr || !modal->ended())) {
    if (StopRequested()) {
      if (modal != nullptr) {
        EndForStop(*modal);
      } else {
        DestroyMainWindow();
      }
      return;
    }
    DeskEvent event;
    if (port_.NextEvent(event)) {
      HandleEvent(event);
      continue;
    }
    if (DoIdleWork()) continue;
    // While the ticks would show nothing the loop sleeps until there is input, and counts
    // the ticks it slept through when it wakes, before that input is handled: the frame
    // counter then reads what it would have read had every tick woken the loop.
    const bool sleep_through_ticks = handlers_->TimerShowsNothing();
    port_.WaitForEvent(WaitTimeout(sleep_through_ticks));
    if (sleep_through_ticks) {
      const std::uint32_t skipped = timer_.TakeDueTicks(port_.Now());
      if (skipped > 0 && !quit_) handlers_->OnSkippedTicks(skipped);
    }
  }
}

void Desk::EndForStop(Dialog& dialog) {
  // As the close box does: the name dialog keeps a valid name it shows (its message boxes
  // are not shown while stopping); if the dialog still stays, it ends anyway, and the name
  // entered before stays the player's name.
  dialog.OnClose();
  if (!dialog.ended()) dialog.EndDialog(0);
}

bool Desk::DoIdleWork() {
  if (!retired_.empty()) {
    retired_.clear();
    return true;
  }
  if (stats_invalid_) {
    stats_invalid_ = false;
    if (stats_) stats_->Paint(false);
    return true;
  }
  if (timer_.TakeTick(port_.Now())) {
    handlers_->OnTimer();  // what it draws goes through StartDrawing(), which marks the frame
    return true;
  }
  if (main_dirty_) {
    PresentMain();
    return true;
  }
  return false;
}

int Desk::WaitTimeout(bool sleep_through_ticks) {
  const auto due = timer_.TimeUntilDue(port_.Now());
  return due && !sleep_through_ticks ? static_cast<int>(*due) : -1;
}

void Desk::HandleEvent(const DeskEvent& event) {
  using Kind = DeskEvent::Kind;
  switch (event.kind) {
    case Kind::kKeyDown:
    case Kind::kKeyUp:
      OnKey(event);
      break;
    case Kind::kText:
      if (!modal_stack_.empty()) modal_stack_.back()->OnText(event.text);
      break;
    case Kind::kMouseDown:
    case Kind::kMouseUp:
    case Kind::kMouseMove:
      OnMouse(event);
      break;
    case Kind::kClose:
      OnCloseRequest(event.window);
      break;
    case Kind::kResized:
      if (event.window == main_) ResizeClient();
      break;
    case Kind::kMinimised:
      if (event.window == main_) OnMinimised();
      break;
    case Kind::kRestored:
      if (event.window == main_) OnRestored();
      break;
    case Kind::kExposed:  // the window system lost what the window showed
      if (event.window == main_) {
        present_all_ = true;
        PresentMain();
      } else if (Dialog* dialog = DialogOf(event.window)) {
        dialog->Present();
      }
      break;
    case Kind::kFocusLost:
      alt_tap_ = false;
      CloseMenu();
      break;
    case Kind::kQuit:
      stop_requested_ = true;
      break;
    case Kind::kCommand:
      // The port's own menu, like the menu bar, serves only a main window that takes input.
      if (modal_stack_.empty() && !quit_ && !minimised_) Command(event.x);
      break;
    case Kind::kFieldText:
      // Only the top dialog takes input; the port makes its field agree again at its present.
      if (!modal_stack_.empty() && modal_stack_.back()->id() == event.window) {
        modal_stack_.back()->OnFieldText(event.text);
      }
      break;
    case Kind::kFilesChanged:
      if (!quit_) handlers_->OnFilesChanged();
      break;
    case Kind::kNone:
      break;
  }
}

void Desk::OnKey(const DeskEvent& event) {
  const bool is_alt = event.key && event.key->key == Key::kAlt;
  if (event.kind == DeskEvent::Kind::kKeyUp) {
    if (is_alt && alt_tap_ && modal_stack_.empty() && !quit_) {
      alt_tap_ = false;
      menu_.OnAltTap();
      PaintBar();
    }
    return;
  }
  alt_tap_ = is_alt && !event.repeat && !touch();  // a touch screen's menu has no keys
  if (is_alt || quit_) return;
  if (!modal_stack_.empty()) {
    Dialog* top = modal_stack_.back();
    if (event.key) top->OnKey(*event.key);
    // What the key types goes to the same dialog, unless the key ended it.
    if (!event.text.empty() && !top->ended() && modal_stack_.back() == top) {
      top->OnText(event.text);
    }
    return;
  }
  if (!event.key) return;
  // The statistics window's own keyboard handling comes first; it takes every key meant
  // for it.
  if (stats_ && event.window == stats_->id()) {
    stats_->OnKey(*event.key);
    return;
  }
  MainKey(*event.key, event.repeat);
}

void Desk::MainKey(const KeyEvent& key, bool repeat) {
  const MainKeyRoute route = RouteMainWindowKey(menu_, tables_.accelerators, key);
  if (route.repaint_bar) PaintBar();
  if (route.close_window) DestroyMainWindow();
  if (route.command) Command(*route.command);
  if (touch()) menu_.Close();  // the menu a touch screen shows is the port's, not the bar's
  // What no menu, accelerator or mnemonic took goes to the client area; a held Space or
  // Enter acts once.
  if (route.client_key && !minimised_ && (!repeat || RepeatsWhileHeld(*route.client_key))) {
    handlers_->OnKey(*route.client_key);
  }
}

void Desk::OnMouse(const DeskEvent& event) {
  if (quit_) return;
  const bool down = event.kind == DeskEvent::Kind::kMouseDown;
  // A press beside the windows or on the main window's frame closes an open menu; what else
  // happens on a frame the port has done.
  if (event.window == 0 || event.on_frame) {
    if (down && (event.window == 0 || event.window == main_)) CloseMenu();
    return;
  }
  if (!modal_stack_.empty()) {
    Dialog* top = modal_stack_.back();
    if (event.window == top->id()) top->OnMouse(event.kind, event.x, event.y);
    return;  // every other window is disabled
  }
  if (stats_ && event.window == stats_->id()) {
    if (event.kind == DeskEvent::Kind::kMouseMove) return;
    Dialog* stats = stats_.get();
    stats->OnMouse(event.kind, event.x, event.y);
    // The click gave the statistics window the focus; it goes back to the main window, as
    // when the statistics window opens, so that the accelerators keep working.
    if (!down && !quit_) port_.FocusWindow(main_, false);
    return;
  }
  if (event.window == main_ && !minimised_) MainMouse(event.kind, event.x, event.y);
}

void Desk::MainMouse(DeskEvent::Kind kind, int x, int y) {
  switch (kind) {
    case DeskEvent::Kind::kMouseDown:
      if (menu_.active() || y < bar_height()) {
        menu_.OnMouseDown(x, y);
        swallow_release_ = true;
        PaintBar();
        return;
      }
      handlers_->OnMouseDown(x, y - bar_height());
      return;
    case DeskEvent::Kind::kMouseUp:
      if (swallow_release_ || menu_.active()) {
        swallow_release_ = false;
        const MenuResult result = menu_.OnMouseUp(x, y);
        PaintBar();
        if (result.command) Command(*result.command);
        return;
      }
      handlers_->OnMouseUp(x, y - bar_height());
      return;
    default:
      if (menu_.active() && menu_.OnMouseMove(x, y).consumed) PaintBar();
      return;
  }
}

void Desk::OnCloseRequest(int window) {
  if (window == main_) {
    if (modal_stack_.empty()) DestroyMainWindow();
    return;
  }
  Dialog* dialog = DialogOf(window);
  // A dialog below the top of the stack is disabled; the statistics window is not.
  if (dialog != nullptr && (dialog->kind() == Dialog::Kind::kModeless ||
                            (!modal_stack_.empty() && dialog == modal_stack_.back()))) {
    dialog->OnClose();
  }
}

void Desk::OnMinimised() {
  if (minimised_) return;
  minimised_ = true;
  menu_.Close();
  client_size_ = Size{0, 0};
  handlers_->OnSize(0, 0);
  if (stats_) stats_->FollowOwner(true);
}

void Desk::OnRestored() {
  if (!minimised_) return;
  minimised_ = false;
  ResizeClient();
  if (stats_) {
    stats_->FollowOwner(false);
    port_.FocusWindow(main_, false);  // the keyboard stays with the main window
  }
}

void Desk::CloseMenu() {
  if (!menu_.active()) return;
  menu_.Close();
  PaintBar();
}

Desk::Dialog* Desk::DialogOf(int window) const {
  for (Dialog* dialog : modal_stack_) {
    if (dialog->id() == window) return dialog;
  }
  return stats_ && stats_->id() == window ? stats_.get() : nullptr;
}

void Desk::ResizeClient() {
  const Size content = port_.ContentSize(main_);
  menu_.Close();
  menu_.Layout(measure_, content.width);
  const Size size{content.width, std::max(0, content.height - bar_height())};
  present_all_ = true;  // the window's pixels are new, even where the program's size is not
  if (size == client_size_ && !minimised_) {
    PresentMain();
    return;
  }
  client_size_ = size;
  client_.Resize(size.width, size.height);
  bar_.Resize(content.width, bar_height());
  handlers_->OnSize(size.width, size.height);
  PaintMain();
}

void Desk::PaintBar() {
  if (touch()) return;
  menu_.PaintLayers(bar_, drop_down_);
  main_dirty_ = true;
}

void Desk::PaintMain() {
  if (minimised_ || quit_) return;
  client_.FillRect(Rect{0, 0, client_size_.width, client_size_.height}, kBlack);
  handlers_->OnPaint(client_);
  PaintBar();
  PresentMain();
}

void Desk::PresentMain() {
  main_dirty_ = false;
  // A window not yet shown, minimised or closing shows nothing; the first present after it
  // is shown again is a whole one.
  if (!shown_ || minimised_ || quit_) return;
  const int bar = bar_height();
  const auto drop_down = menu_.DropDownRect();
  // An open drop-down menu lies over both layers, and where it closed the client shows
  // again: those presents are whole, the others copy only what was drawn.
  if (!present_all_ && !drop_down && !drop_down_presented_ &&
      port_.PresentChanges(main_, {Layer{&client_, 0, bar}, Layer{&bar_, 0, 0}})) {
    return;
  }
  present_all_ = false;
  drop_down_presented_ = drop_down.has_value();
  const Size covered{client_size_.width, bar + client_size_.height};
  if (drop_down) {
    port_.PresentAll(main_, covered,
                     {Layer{&client_, 0, bar}, Layer{&bar_, 0, 0},
                      Layer{&drop_down_, drop_down->left, drop_down->top}});
  } else {
    port_.PresentAll(main_, covered, {Layer{&client_, 0, bar}, Layer{&bar_, 0, 0}});
  }
}

void Desk::Command(int command) {
  PaintBar();
  PresentMain();
  handlers_->OnCommand(command);
}

}  // namespace rolvi::platform::widgets
