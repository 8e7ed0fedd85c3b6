#include "platform/web/web_window_system.h"

#include <algorithm>

#include "platform/web/dom_keys.h"
#include "platform/web/touch_menu.h"

namespace rolvi::platform::web {

using widgets::DeskEvent;
using widgets::Placement;

namespace {

// The desk the page fits: the main window with a margin around it, and room on its right for
// the statistics window, which opens beside the board and reaches past the main window.
constexpr int kDeskMargin = 8;
constexpr int kRoomForStatistics = 40;

std::optional<IconPicture> CaptionIconOf(std::span<const std::uint8_t> icon_file) {
  if (const auto picture = ReadIconFile(icon_file)) return CaptionIcon(*picture);
  return std::nullopt;
}

// The client size the handlers ask for a touch screen of `points`, within what a client may be.
Size TouchContent(const WindowHandlers& handlers, Size points) {
  const Size asked = handlers.TouchClientSize(points);
  return Size{std::clamp(asked.width, 1, kMaxClientSide),
              std::clamp(asked.height, 1, kMaxClientSide)};
}

}  // namespace

WebWindowSystem::WebWindowSystem(Page& page, Size outer_size, const widgets::ResourceTables& tables,
                                 const MainWindowIdentity& identity, FileSystem& files,
                                 TickSource ticks)
    : WebPort(page),
      Desk(static_cast<WebPort&>(*this), tables, identity, outer_size, files, ticks,
           touch_ ? widgets::DeskStyle::kTouchScreen : widgets::DeskStyle::kDesktop) {
  icon_ = CaptionIconOf(IconFile());
  const Size content{ClientSize().width, bar_height() + ClientSize().height};
  auto main = std::make_unique<PageWindow>(page, touch_ ? FrameStyle::kBare : FrameStyle::kMain,
                                           PageWindowKind::kMain, identity.gbk_title, content,
                                           icon_ ? &*icon_ : nullptr);
  main_id_ = main->id();
  windows_[main_id_] = std::move(main);
  page_.SetTitle(identity.gbk_title);
  const Size outer = ScreenArea();
  page_.SetDesk(Rect{-kDeskMargin, -kDeskMargin, outer.width + kRoomForStatistics,
                     outer.height + kDeskMargin});
  AttachMainWindow(main_id_, content);
  if (touch_) {
    page_.SetMenu(MenuJson(tables.menu, [this](int command) { return menu().IsChecked(command); }));
  }
}

WebWindowSystem::~WebWindowSystem() = default;

void WebWindowSystem::Run(WindowHandlers& handlers) {
  if (touch_) {
    const Size content = TouchContent(handlers, page_.ViewSize());
    windows_.at(main_id_)->ResizeContent(content);
    AttachMainWindow(main_id_, content);
  }
  Desk::Run(handlers);
  page_.ShowClosed();
}

Size WebWindowSystem::TouchContentFor(Size points) {
  return handlers() != nullptr ? TouchContent(*handlers(), points) : ContentSize(main_id_);
}

void WebWindowSystem::SyncTextField(int window) {
  for (const Dialog* dialog : Dialogs()) {
    if (dialog->id() != window) continue;
    const widgets::EditField* edit = dialog->model().Edit();
    const PageWindow* shown = Find(window);
    if (edit == nullptr || shown == nullptr || !shown->shown()) return;
    if (field_window_ == window && field_text_ == edit->text()) return;
    for (const widgets::DialogControl& control : dialog->model().controls()) {
      if (control.role != widgets::ControlRole::kEdit) continue;
      const Rect content = shown->layout().content;
      page_.ShowTextField(
          window,
          Rect{content.left + control.rect.left, content.top + control.rect.top,
               content.left + control.rect.right, content.top + control.rect.bottom},
          edit->text());
      field_window_ = window;
      field_text_ = edit->text();
      return;
    }
  }
}

PageWindow* WebPort::Find(int window) const {
  const auto found = windows_.find(window);
  return found != windows_.end() ? found->second.get() : nullptr;
}

bool WebPort::NextEvent(DeskEvent& event) {
  PageEvent page;
  while (page_.NextEvent(page)) {
    event = DeskEvent{};
    if (Translate(page, event)) return true;
  }
  return false;
}

bool WebPort::Translate(const PageEvent& page, DeskEvent& event) {
  using Kind = PageEvent::Kind;
  switch (page.kind) {
    case Kind::kKeyDown:
    case Kind::kKeyUp:
      event.kind =
          page.kind == Kind::kKeyDown ? DeskEvent::Kind::kKeyDown : DeskEvent::Kind::kKeyUp;
      event.key = KeyFromDom(page.code, page.key, page.modifiers);
      event.repeat = page.repeat;
      // Alt and Control combinations are commands and mnemonics, not typing.
      if ((page.modifiers & (kModifierAlt | kModifierControl | kModifierMeta)) == 0) {
        event.text = page.text;
      }
      return true;
    case Kind::kFocusLost:
      event.kind = DeskEvent::Kind::kFocusLost;
      return true;
    case Kind::kViewport: {
      // A touch screen's page changed its size (turned, say): the client follows it.
      PageWindow* main = Find(main_id_);
      if (!touch_ || main == nullptr) return false;
      main->ResizeContent(TouchContentFor(Size{page.x, page.y}));
      event.kind = DeskEvent::Kind::kResized;
      event.window = main_id_;
      return true;
    }
    case Kind::kCommand:
      event.kind = DeskEvent::Kind::kCommand;
      event.x = page.x;
      return true;
    case Kind::kFieldChanged:
      if (page.window != field_window_ || field_window_ == 0) return false;
      event.kind = DeskEvent::Kind::kFieldText;
      event.window = page.window;
      event.text = page_.TextFieldText();
      field_text_ = event.text;
      return true;
    case Kind::kStorageChanged:
      event.kind = DeskEvent::Kind::kFilesChanged;
      return true;
    case Kind::kMouseDown:
    case Kind::kMouseUp:
    case Kind::kMouseMove:
      break;
    case Kind::kNone:
      return false;
  }
  event.kind = page.kind == Kind::kMouseDown ? DeskEvent::Kind::kMouseDown
               : page.kind == Kind::kMouseUp ? DeskEvent::Kind::kMouseUp
                                             : DeskEvent::Kind::kMouseMove;
  event.window = page.window;
  if (page.window == 0) return true;  // the desk beside the windows
  PageWindow* window = Find(page.window);
  // While a window is modal, every other one is disabled, its frame too.
  if (window == nullptr || (modal_ != 0 && page.window != modal_)) return false;
  switch (window->OnFrameMouse(page.kind, page.x, page.y)) {
    case FrameInput::kClose:
      window->PresentFrame();
      event.kind = DeskEvent::Kind::kClose;
      return true;
    case FrameInput::kHandled:
      window->PresentFrame();
      event.on_frame = true;
      return true;
    case FrameInput::kNotFrame:
      break;
  }
  event.x = page.x - window->layout().content.left;
  event.y = page.y - window->layout().content.top;
  return true;
}

int WebPort::OpenWindow(const widgets::WindowSpec& spec) {
  auto window = std::make_unique<PageWindow>(
      page_, touch_ ? FrameStyle::kTouchDialog : FrameStyle::kDialog,
      spec.role == widgets::WindowRole::kTool ? PageWindowKind::kTool : PageWindowKind::kDialog,
      spec.gbk_caption, spec.content);
  window->SetActive(false);  // until it gets the keyboard
  const int id = window->id();
  windows_[id] = std::move(window);
  return id;
}

void WebPort::SetModalWindow(int window) {
  modal_ = window;
  // A dialog is presented as it is shown, before it is on the desk's modal stack.
  if (window != 0) SyncTextField(window);
}

void WebPort::CloseWindow(int window) {
  windows_.erase(window);
  if (window == field_window_) field_window_ = 0;  // its text input went with it
}

void WebPort::ResizeWindow(int window, Size content) {
  if (PageWindow* found = Find(window)) found->ResizeContent(content);
}

void WebPort::PlaceWindow(int window, const Placement& placement) {
  PageWindow* found = Find(window);
  if (found == nullptr) return;
  const Size outer = found->layout().outer;
  switch (placement.how) {
    case Placement::How::kCentreOnScreen:
      found->MoveTo(CentreIn(ScreenArea(), outer));
      return;
    case Placement::How::kCentreOver:
      if (const PageWindow* over = Find(placement.over)) {
        const Rect rect = over->OuterRect();
        const Point place = CentreIn({rect.width(), rect.height()}, outer);
        found->MoveTo(Point{rect.left + place.x, rect.top + place.y});
      }
      return;
    case Placement::How::kAt:
      found->MoveTo(placement.at);
      return;
  }
}

Rect WebPort::OuterRect(int window) const {
  const PageWindow* found = Find(window);
  return found != nullptr ? found->OuterRect() : Rect{};
}

void WebPort::ShowWindow(int window, bool shown) {
  if (PageWindow* found = Find(window)) shown ? found->Show() : found->Hide();
  if (!shown && window == field_window_) field_window_ = 0;  // the page hid its text input
}

void WebPort::FocusWindow(int window, bool /*raise*/) {
  for (const auto& [id, each] : windows_)
    each->SetActive(id == window);
  for (const auto& [id, each] : windows_)
    each->PresentFrame();
}

void WebPort::PresentAll(int window, Size /*covered*/, std::initializer_list<Layer> layers) {
  if (PageWindow* found = Find(window)) found->Present(layers);
  SyncTextField(window);
}

bool WebPort::PresentChanges(int window, std::initializer_list<Layer> layers) {
  PageWindow* found = Find(window);
  if (found == nullptr || !found->PresentChanges(layers)) return false;
  SyncTextField(window);
  return true;
}

void WebPort::PlaceMenuButton(int window, const Rect& content_rect) {
  const PageWindow* found = Find(window);
  if (found == nullptr) return;
  const Rect content = found->layout().content;
  page_.PlaceMenuButton(window,
                        Rect{content.left + content_rect.left, content.top + content_rect.top,
                             content.left + content_rect.right, content.top + content_rect.bottom});
}

void WebPort::MenuCheckChanged(int command, bool checked) {
  if (touch_) page_.SetMenuCheck(command, checked);
}

Size WebPort::ContentSize(int window) {
  const PageWindow* found = Find(window);
  if (found == nullptr) return Size{};
  const Rect content = found->layout().content;
  return Size{content.width(), content.height()};
}

}  // namespace rolvi::platform::web
