#include "platform/sdl/sdl_window_system.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/gbk/gbk_text.h"
#include "platform/sdl/dialog_host.h"
#include "platform/sdl/display_scale.h"
#include "platform/sdl/sdl_support.h"
#include "platform/sdl/x11_errors.h"
#include "platform/sdl/x11_window_hints.h"
#include "platform/widgets/main_keys.h"
#include "platform/widgets/resource_tables.h"

namespace rolvi::platform::sdl {

using widgets::BinaryResource;
using widgets::DialogData;
using widgets::DialogModel;
using widgets::FindDialog;
using widgets::Key;
using widgets::KeyEvent;
using widgets::MenuResult;
using widgets::Resources;
namespace {

constexpr const char* kTitle = "Color rolvi";
constexpr int kIconId = 3000;  // the program icon in the resources

}  // namespace

SdlWindowSystem::SdlWindowSystem(Size outer_size, FileSystem& files, TickSource ticks)
    : outer_size_(outer_size),
      files_(files),
      ticks_(ticks),
      client_size_(ClassicClientSize(outer_size)),
      client_(client_size_.width, client_size_.height),
      menu_(Resources().menu) {}

SdlWindowSystem::~SdlWindowSystem() = default;

bool SdlWindowSystem::Open(std::string& error) {
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // Stop signals are the program's own (StopSignals), so that none is lost in a modal loop.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  // The click that activates a window reaches it, as on a classic desktop: a click into the
  // statistics window is handled there, and then the focus goes back to the main window.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // The frames are drawn in software; presenting them through the window system's own shared
  // memory images avoids loading a GL driver (tens of megabytes) only to copy pixels.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // The only text the program takes is a name of plain Latin letters, which needs no compose
  // sequences; without a table of its own, Xlib's input method would parse the locale's whole
  // compose table (thousands of sequences, most of the start's CPU). A table named in
  // XCOMPOSEFILE is still used; ~/.XCompose is not.
  setenv("XCOMPOSEFILE", "/dev/null", 0);
  if (!video_.Start(error)) return false;
  Size screen;
  SDL_DisplayMode mode{};
  if (SDL_GetDesktopDisplayMode(0, &mode) == 0) screen = Size{mode.w, mode.h};

  menu_.Layout(measure_, client_size_.width);
  const int bar = BarHeight();
  window_.reset(SDL_CreateWindow(kTitle, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                 client_size_.width, client_size_.height + bar,
                                 SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE));
  if (window_ == nullptr) {
    error = std::string("cannot create the main window: ") + SDL_GetError();
    return false;
  }
  for (const BinaryResource& icon : Resources().icons) {
    if (icon.id == kIconId) SetWindowIcon(window_.get(), icon.bytes);
  }
  wait_.Attach(window_.get(), stop_signals_.wake_fd());
  if (std::string_view(SDL_GetCurrentVideoDriver()) == "x11") {
    InstallX11ErrorHandlers(&SdlWindowSystem::OnConnectionLost, this);
  }
  DecideScale(screen);  // the window's display holds the desktop's settings
  screen_size_ = Size{screen.width / scale_, screen.height / scale_};
  SDL_SetWindowSize(window_.get(), client_size_.width * scale_,
                    (client_size_.height + bar) * scale_);
  // The window manager keeps the window within the largest client area the program draws;
  // enlarged, the window on the screen stays within that size too.
  SDL_SetWindowMaximumSize(window_.get(), MaxWindowSize().width, MaxWindowSize().height);
  // The 620 by 420 outer rectangle is centred on the screen, and the frame that the window
  // manager draws has its top-left there (without one the client has), as far as the frame
  // stays inside the work area.
  const Point centred = CentreIn(screen_size_, outer_size_);
  const FrameSizes frame = ExpectedFrame(window_.get());
  const Point outer =
      FrameInWorkArea(window_.get(), frame, Point{centred.x * scale_, centred.y * scale_});
  placed_client_x_ = outer.x + frame.left;
  placed_client_y_ = outer.y + frame.top;
  PlaceClient(window_.get(), placed_client_x_, placed_client_y_);

  int width = 0;
  int height = 0;
  SDL_GetWindowSize(window_.get(), &width, &height);
  client_size_ = Size{width / scale_, std::max(0, height / scale_ - bar)};
  client_.Resize(client_size_.width, client_size_.height);
  bar_.Resize(client_size_.width, bar);
  // The window's pixels (shared memory with the X server) are made now, while the window is
  // hidden and nothing is presented, so that the first frame after the show has them ready.
  SDL_GetWindowSurface(window_.get());
  return true;
}

void SdlWindowSystem::DecideScale(Size screen) {
  ScaleSources sources;
  if (const char* value = std::getenv("ROLVI_SCALE")) sources.rolvi_scale = value;
  if (const char* value = std::getenv("GDK_SCALE")) sources.gdk_scale = value;
  if (const auto resources = ResourceDatabase(window_.get())) {
    sources.xft_dpi = XftDpiFromResources(*resources);
  }
  float diagonal = 0;
  float horizontal = 0;
  float vertical = 0;
  if (SDL_GetDisplayDPI(0, &diagonal, &horizontal, &vertical) == 0) {
    sources.display_dpi = horizontal;
  }
  sources.screen = screen;
  sources.window = outer_size_;
  const ScaleChoice choice = ChooseScale(sources);
  if (!choice.complaint.empty()) std::fprintf(stderr, "rolvi: %s\n", choice.complaint.c_str());
  scale_ = choice.scale;
}

int SdlWindowSystem::Run(WindowHandlers& handlers) {
  handlers_ = &handlers;
  const Size minimum = ClassicClientSize(handlers.MinimumTrackSize(), BarHeight());
  SDL_SetWindowMinimumSize(window_.get(), std::max(1, minimum.width) * scale_,
                           std::max(1, minimum.height + BarHeight()) * scale_);
  // SDL moves the window back to where it last saw it when it sets the minimum size.
  PlaceClient(window_.get(), placed_client_x_, placed_client_y_);
  handlers.OnCreate();
  handlers.OnSize(client_size_.width, client_size_.height);
  SDL_ShowWindow(window_.get());
  shown_ = true;
  present_all_ = true;
  PaintMain();
  RunLoop(nullptr);
  return 0;
}

Surface* SdlWindowSystem::StartDrawing() {
  if (minimised_ || quit_) return nullptr;
  main_dirty_ = true;
  return &client_;
}

Rect SdlWindowSystem::WindowRect() const {
  return ToLogical(OuterRect(window_.get()), scale_);
}

void SdlWindowSystem::Pause(int milliseconds) {
  // Once a stop is requested the animations run through without pausing, so that the
  // program ends promptly.
  if (StopRequested()) return;
  if (!minimised_ && !quit_) PresentMain();
  SDL_PumpEvents();  // keeps the window manager answered; the input stays queued in order
  wait_.Sleep(milliseconds);
}

void SdlWindowSystem::OnConnectionLost(void* system) {
  auto* self = static_cast<SdlWindowSystem*>(system);
  if (self->handlers_ != nullptr && !self->quit_) self->handlers_->OnSessionEnding();
}

void SdlWindowSystem::SetMenuCheck(int command, bool checked) {
  menu_.SetCheck(command, checked);
  if (menu_.active()) PaintBar();
}

void SdlWindowSystem::StartTimer(int period_ms) {
  timer_.Start(SDL_GetTicks(), period_ms);
}

void SdlWindowSystem::DestroyMainWindow() {
  if (quit_) return;
  menu_.Close();
  handlers_->OnDestroy();
  quit_ = true;
  timer_.Stop();
  SDL_HideWindow(window_.get());
}

void SdlWindowSystem::PaintBar() {
  menu_.PaintLayers(bar_, drop_down_);
  main_dirty_ = true;
}

void SdlWindowSystem::PaintMain() {
  if (minimised_ || quit_) return;
  client_.FillRect(Rect{0, 0, client_size_.width, client_size_.height}, kBlack);
  handlers_->OnPaint(client_);
  PaintBar();
  PresentMain();
}

void SdlWindowSystem::PresentMain() {
  main_dirty_ = false;
  // A window not yet shown, minimised or closing shows nothing; the first present after it
  // is shown again is a whole one.
  if (!shown_ || minimised_ || quit_) return;
  const auto drop_down = menu_.DropDownRect();
  // An open drop-down menu lies over both layers, and where it closed the client shows
  // again: those presents are whole, the others copy only what was drawn.
  if (!present_all_ && !drop_down && !drop_down_presented_ &&
      PresentChanges(window_.get(), scale_, {Layer{&client_, 0, BarHeight()}, Layer{&bar_, 0, 0}},
                     presented_)) {
    return;
  }
  present_all_ = false;
  drop_down_presented_ = drop_down.has_value();
  const Size covered{client_size_.width, BarHeight() + client_size_.height};
  if (drop_down) {
    Present(window_.get(), scale_, covered,
            {Layer{&client_, 0, BarHeight()}, Layer{&bar_, 0, 0},
             Layer{&drop_down_, drop_down->left, drop_down->top}});
  } else {
    Present(window_.get(), scale_, covered, {Layer{&client_, 0, BarHeight()}, Layer{&bar_, 0, 0}});
  }
  presented_ = PresentedPixelsOf(window_.get());
}

Size SdlWindowSystem::MaxWindowSize() const {
  const int client_side = kMaxClientSide / scale_;
  return Size{client_side * scale_, (client_side + BarHeight()) * scale_};
}

void SdlWindowSystem::ResizeClient() {
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(window_.get(), &width, &height);
  // A window manager that ignores the maximum size, or a program that resizes the window
  // itself, can make it larger: it is sized back, and the client area stays within the limit.
  const Size largest = MaxWindowSize();
  if (width > largest.width || height > largest.height) {
    width = std::min(width, largest.width);
    height = std::min(height, largest.height);
    SDL_SetWindowSize(window_.get(), width, height);
  }
  width /= scale_;
  height /= scale_;
  menu_.Close();
  menu_.Layout(measure_, width);
  const Size size{width, std::max(0, height - BarHeight())};
  present_all_ = true;  // the window's pixels are new, even where the program's size is not
  if (size == client_size_ && !minimised_) {
    PresentMain();
    return;
  }
  client_size_ = size;
  client_.Resize(size.width, size.height);
  bar_.Resize(width, BarHeight());
  handlers_->OnSize(size.width, size.height);
  PaintMain();
}

void SdlWindowSystem::Command(int command) {
  PaintBar();
  PresentMain();
  handlers_->OnCommand(command);
}

void SdlWindowSystem::RunLoop(DialogHost* modal) {
  while (!quit_ && (modal == nullptr || !modal->ended())) {
    if (StopRequested()) {
      if (modal != nullptr) {
        EndForStop(*modal);
      } else {
        DestroyMainWindow();
      }
      return;
    }
    SDL_Event event;
    if (SDL_PollEvent(&event) == 1) {
      HandleEvent(event);
      continue;
    }
    if (DoIdleWork()) continue;
    // While the ticks would show nothing the loop sleeps until there is input, and counts
    // the ticks it slept through when it wakes, before that input is handled: the frame
    // counter then reads what it would have read had every tick woken the loop.
    const bool sleep_through_ticks = handlers_->TimerShowsNothing();
    wait_.WaitForInput(WaitTimeout(sleep_through_ticks));
    if (sleep_through_ticks) {
      const std::uint32_t skipped = timer_.TakeDueTicks(SDL_GetTicks());
      if (skipped > 0 && !quit_) handlers_->OnSkippedTicks(skipped);
    }
  }
}

void SdlWindowSystem::EndForStop(DialogHost& host) {
  // As the close box does: the name dialog keeps a valid name it shows (its message boxes
  // are not shown while stopping); if the dialog still stays, it ends anyway, and the name
  // entered before stays the player's name.
  host.OnClose();
  if (!host.ended()) host.EndDialog(0);
}

bool SdlWindowSystem::DoIdleWork() {
  const std::uint32_t now = SDL_GetTicks();
  if (!retired_.empty()) {
    retired_.clear();
    return true;
  }
  if (stats_invalid_) {
    stats_invalid_ = false;
    if (stats_) stats_->Paint(false);
    return true;
  }
  if (timer_.TakeTick(now)) {
    handlers_->OnTimer();  // what it draws goes through StartDrawing(), which marks the frame
    return true;
  }
  if (main_dirty_) {
    PresentMain();
    return true;
  }
  return false;
}

int SdlWindowSystem::WaitTimeout(bool sleep_through_ticks) {
  int timeout = -1;
  if (const auto due = timer_.TimeUntilDue(SDL_GetTicks()); due && !sleep_through_ticks) {
    timeout = static_cast<int>(*due);
  }
  if (beeper_.Service()) timeout = timeout < 0 ? 50 : std::min(timeout, 50);
  return timeout;
}

SdlWindowSystem::DialogHost* SdlWindowSystem::HostOf(Uint32 window_id) const {
  for (DialogHost* host : modal_stack_) {
    if (host->id() == window_id) return host;
  }
  if (stats_ && stats_->id() == window_id) return stats_.get();
  return nullptr;
}

void SdlWindowSystem::HandleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:  // the session or the system asks the program to end
      stop_requested_ = true;
      break;
    case SDL_WINDOWEVENT:
      HandleWindowEvent(event.window);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      HandleKey(event.key);
      break;
    case SDL_TEXTINPUT:
      HandleText(event.text);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      HandleMouseButton(event.button);
      break;
    case SDL_MOUSEMOTION:
      HandleMouseMotion(event.motion);
      break;
    default:
      break;
  }
}

void SdlWindowSystem::HandleWindowEvent(const SDL_WindowEvent& event) {
  if (event.windowID == SDL_GetWindowID(window_.get())) {
    switch (event.event) {
      case SDL_WINDOWEVENT_SIZE_CHANGED:
        ResizeClient();
        break;
      case SDL_WINDOWEVENT_MINIMIZED:
        if (!minimised_) {
          minimised_ = true;
          menu_.Close();
          client_size_ = Size{0, 0};
          handlers_->OnSize(0, 0);
          if (stats_) stats_->FollowOwner(true);
        }
        break;
      case SDL_WINDOWEVENT_RESTORED:
      case SDL_WINDOWEVENT_MAXIMIZED:
      case SDL_WINDOWEVENT_SHOWN:
        if (minimised_) {
          minimised_ = false;
          ResizeClient();
          if (stats_) {
            stats_->FollowOwner(false);
            SDL_SetWindowInputFocus(window_.get());  // the keyboard stays with the main window
          }
        }
        break;
      case SDL_WINDOWEVENT_EXPOSED:  // the window system lost what the window showed
        present_all_ = true;
        PresentMain();
        break;
      case SDL_WINDOWEVENT_FOCUS_LOST:
        if (menu_.active()) {
          menu_.Close();
          PaintBar();
        }
        break;
      case SDL_WINDOWEVENT_CLOSE:
        if (modal_stack_.empty()) DestroyMainWindow();
        break;
      default:
        break;
    }
    return;
  }
  DialogHost* host = HostOf(event.windowID);
  if (host == nullptr) return;
  if (event.event == SDL_WINDOWEVENT_EXPOSED) host->PresentFrame();
  if (event.event != SDL_WINDOWEVENT_CLOSE) return;
  // A dialog below the top of the stack is disabled; the statistics window is not.
  if (host->kind() == DialogHost::Kind::kModeless ||
      (!modal_stack_.empty() && host == modal_stack_.back())) {
    host->OnClose();
  }
}

void SdlWindowSystem::HandleKey(const SDL_KeyboardEvent& event) {
  const bool is_alt = event.keysym.sym == SDLK_LALT || event.keysym.sym == SDLK_RALT;
  if (event.type == SDL_KEYUP) {
    if (is_alt && alt_tap_ && modal_stack_.empty() && !quit_) {
      alt_tap_ = false;
      menu_.OnAltTap();
      PaintBar();
    }
    return;
  }
  alt_tap_ = is_alt && event.repeat == 0;
  const auto key = KeyFromSdl(event);
  if (!key || key->key == Key::kAlt) return;
  if (!modal_stack_.empty()) {
    modal_stack_.back()->OnKey(*key);
    return;
  }
  // The statistics window's own keyboard handling comes first; it takes every key meant
  // for it.
  if (stats_ && event.windowID == stats_->id()) {
    stats_->OnKey(*key);
    return;
  }
  MainKey(*key);
}

void SdlWindowSystem::MainKey(const KeyEvent& key) {
  if (quit_) return;
  const widgets::MainKeyRoute route =
      widgets::RouteMainWindowKey(menu_, Resources().accelerators, key);
  if (route.repaint_bar) PaintBar();
  if (route.close_window) DestroyMainWindow();
  if (route.command) Command(*route.command);
}

void SdlWindowSystem::HandleText(const SDL_TextInputEvent& event) {
  // Alt and Control combinations are commands and mnemonics, not typing.
  if ((SDL_GetModState() & (KMOD_ALT | KMOD_CTRL)) != 0) return;
  if (modal_stack_.empty()) return;
  // Input with a character that GBK cannot hold is dropped whole: the dialogs show GBK only.
  const std::optional<std::string> gbk = Utf8ToGbk(event.text);
  if (gbk) modal_stack_.back()->OnText(*gbk);
}

void SdlWindowSystem::HandleMouseButton(const SDL_MouseButtonEvent& event) {
  if (event.button != SDL_BUTTON_LEFT || quit_) return;
  const bool down = event.type == SDL_MOUSEBUTTONDOWN;
  // Window pixels to the program's: each enlarged pixel maps back to the one it shows.
  const int x = ToLogical(event.x, scale_);
  const int y = ToLogical(event.y, scale_);
  if (!modal_stack_.empty()) {
    DialogHost* top = modal_stack_.back();
    if (event.windowID != top->id()) return;  // every other window is disabled
    if (down) {
      top->OnMouseDown(x, y);
    } else {
      top->OnMouseUp(x, y);
    }
    return;
  }
  if (stats_ && event.windowID == stats_->id()) {
    DialogHost* stats = stats_.get();
    if (down) {
      stats->OnMouseDown(x, y);
      return;
    }
    stats->OnMouseUp(x, y);
    // The click gave the statistics window the focus; it goes back to the main window, as
    // when the statistics window opens, so that the accelerators keep working.
    if (!quit_) SDL_SetWindowInputFocus(window_.get());
    return;
  }
  if (event.windowID != SDL_GetWindowID(window_.get()) || minimised_) return;
  if (down) {
    if (menu_.active() || y < BarHeight()) {
      menu_.OnMouseDown(x, y);
      swallow_release_ = true;
      PaintBar();
      return;
    }
    handlers_->OnMouseDown(x, y - BarHeight());
    return;
  }
  if (swallow_release_ || menu_.active()) {
    swallow_release_ = false;
    const MenuResult result = menu_.OnMouseUp(x, y);
    PaintBar();
    if (result.command) Command(*result.command);
    return;
  }
  handlers_->OnMouseUp(x, y - BarHeight());
}

void SdlWindowSystem::HandleMouseMotion(const SDL_MouseMotionEvent& event) {
  if (!menu_.active() || event.windowID != SDL_GetWindowID(window_.get())) return;
  if (menu_.OnMouseMove(ToLogical(event.x, scale_), ToLogical(event.y, scale_)).consumed) {
    PaintBar();
  }
}

void SdlWindowSystem::RunModal(DialogHost& host) {
  if (StopRequested()) {  // ends at once, without showing itself
    EndForStop(host);
    return;
  }
  if (!host.Show()) return;
  modal_stack_.push_back(&host);
  RunLoop(&host);
  modal_stack_.pop_back();
  SDL_Window* owner = modal_stack_.empty() ? window_.get() : modal_stack_.back()->window();
  if (!quit_) {
    SDL_RaiseWindow(owner);
    SDL_SetWindowInputFocus(owner);
  }
}

void SdlWindowSystem::ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                                     MessageIcon icon) {
  ShowMessageBoxFor(modal_stack_.empty() ? window_.get() : modal_stack_.back()->window(), gbk_text,
                    gbk_caption, icon);
}

void SdlWindowSystem::ShowMessageBoxFor(SDL_Window* owner, std::string_view gbk_text,
                                        std::string_view gbk_caption, MessageIcon icon) {
  if (StopRequested()) return;  // nobody would read it
  DialogHost host(*this,
                  DialogModel::ForMessageBox(gbk_text, gbk_caption,
                                             icon == MessageIcon::kExclamation, measure_),
                  nullptr, DialogHost::Kind::kMessageBox);
  host.Prepare(gbk_caption, owner);
  // Centred over its owner, frames included.
  const Rect over = OuterRect(owner);
  const Point place = CentreIn({over.width(), over.height()}, host.OuterSizeOnScreen());
  host.PlaceFrameAt(over.left + place.x, over.top + place.y);
  host.model().FocusFirstTabStop();
  RunModal(host);
}

void SdlWindowSystem::RunModalDialog(DialogTemplate dialog, DialogHandler& handler) {
  const DialogData* data = FindDialog(static_cast<int>(dialog));
  if (data == nullptr) return;
  DialogHost host(*this, DialogModel::FromTemplate(*data, measure_), &handler,
                  DialogHost::Kind::kModal);
  SDL_Window* owner = modal_stack_.empty() ? window_.get() : modal_stack_.back()->window();
  host.Prepare(data->caption, owner);
  handler.OnInit(host);
  host.model().FocusFirstTabStop();
  RunModal(host);
}

bool SdlWindowSystem::OpenModelessDialog(DialogTemplate dialog, DialogHandler& handler) {
  const DialogData* data = FindDialog(static_cast<int>(dialog));
  if (data == nullptr || stats_) return false;
  auto host = std::make_unique<DialogHost>(*this, DialogModel::FromTemplate(*data, measure_),
                                           &handler, DialogHost::Kind::kModeless);
  host->Prepare(data->caption, window_.get());
  stats_ = std::move(host);
  handler.OnInit(*stats_);
  if (!stats_) return true;  // it closed itself during initialisation
  if (!stats_->Show()) {
    stats_.reset();
    return false;
  }
  SDL_SetWindowInputFocus(window_.get());  // the keyboard stays with the main window
  return true;
}

void SdlWindowSystem::CloseModelessDialog() {
  if (!stats_) return;
  SDL_SetWindowInputFocus(window_.get());
  // It may be closing from inside its own handler, so it is destroyed once the loop is idle.
  Retire(std::move(stats_));
  stats_invalid_ = false;
}

void SdlWindowSystem::Retire(std::unique_ptr<DialogHost> host) {
  if (host->window() != nullptr) SDL_HideWindow(host->window());
  retired_.push_back(std::move(host));
}

}  // namespace rolvi::platform::sdl
