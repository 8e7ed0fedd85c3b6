#include "platform/sdl/dialog_host.h"

#include <algorithm>

#include "platform/sdl/sdl_support.h"
#include "platform/sdl/text_codec.h"

namespace rolvi::platform::sdl {

SdlWindowSystem::DialogHost::DialogHost(SdlWindowSystem& system, DialogModel model,
                                        DialogHandler* handler, Kind kind)
    : system_(system), model_(std::move(model)), handler_(handler), kind_(kind) {}

SdlWindowSystem::DialogHost::~DialogHost() {
  if (window_ != nullptr) SDL_DestroyWindow(window_);
}

void SdlWindowSystem::DialogHost::Prepare(std::string_view gbk_caption, SDL_Window* owner) {
  caption_ = GbkToUtf8(gbk_caption);
  owner_ = owner;
  const Size content = model_.client_size();
  const Size screen = system_.ScreenSize();
  placed_ = Rect{(screen.width - content.width) / 2, (screen.height - content.height) / 2,
                 (screen.width + content.width) / 2, (screen.height + content.height) / 2};
  placed_.right = placed_.left + content.width;
  placed_.bottom = placed_.top + content.height;
  frame_.Resize(content.width, content.height, frame_.SystemColour(SystemColour::kFace));
}

bool SdlWindowSystem::DialogHost::Show() {
  // The window is made only now, where its handler placed it: moving a window that is not
  // yet on the screen is not honoured everywhere.
  Uint32 flags = 0;
  if (kind_ == Kind::kModeless) flags |= SDL_WINDOW_UTILITY | SDL_WINDOW_ALWAYS_ON_TOP;
  window_ = SDL_CreateWindow(caption_.c_str(), placed_.left, placed_.top, placed_.width(),
                             placed_.height(), flags | SDL_WINDOW_HIDDEN);
  if (window_ == nullptr) {
    ended_ = true;
    return false;
  }
  if (owner_ != nullptr && kind_ != Kind::kModeless) SDL_SetWindowModalFor(window_, owner_);
  SDL_ShowWindow(window_);
  if (kind_ != Kind::kModeless) {
    SDL_RaiseWindow(window_);
    SDL_SetWindowInputFocus(window_);
  }
  Paint(true);
  return true;
}

void SdlWindowSystem::DialogHost::Paint(bool erase) {
  if (erase) model_.Paint(frame_);
  if (handler_ != nullptr) handler_->OnPaint(*this, frame_);
  Present();
}

void SdlWindowSystem::DialogHost::Present() {
  sdl::Present(window_, {Layer{&frame_, 0, 0}});
}

void SdlWindowSystem::DialogHost::Apply(const DialogOutcome& outcome) {
  if (outcome.command) {
    if (kind_ == Kind::kMessageBox) {
      ended_ = true;
      return;
    }
    if (handler_ != nullptr) handler_->OnCommand(*this, *outcome.command);
  }
  if (outcome.redraw && !ended_) Paint(true);
}

void SdlWindowSystem::DialogHost::OnKey(const KeyEvent& key) {
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

void SdlWindowSystem::DialogHost::OnText(std::string_view gbk_text) {
  Apply(model_.OnText(gbk_text));
}
void SdlWindowSystem::DialogHost::OnMouseDown(int x, int y) {
  Apply(model_.OnMouseDown(x, y));
}
void SdlWindowSystem::DialogHost::OnMouseUp(int x, int y) {
  Apply(model_.OnMouseUp(x, y));
}

void SdlWindowSystem::DialogHost::OnClose() {
  if (kind_ == Kind::kMessageBox) {
    ended_ = true;
    return;
  }
  // Unhandled, the close does nothing: the dialogs do not handle cancel.
  if (handler_ != nullptr) handler_->OnClose(*this);
}

void SdlWindowSystem::DialogHost::SetItemText(int control_id, std::string_view gbk_text) {
  model_.SetItemText(control_id, gbk_text);
  if (window_ != nullptr && (SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN) != 0) Paint(true);
}

void SdlWindowSystem::DialogHost::EndDialog(int /*result*/) {
  ended_ = true;
  if (kind_ == Kind::kModeless) system_.CloseModelessDialog();
}

Rect SdlWindowSystem::DialogHost::WindowRect() const {
  if (window_ == nullptr) return placed_;
  return OuterRect(window_);
}

void SdlWindowSystem::DialogHost::MoveWindow(const Rect& outer) {
  const FrameSizes frame = window_ != nullptr ? FrameOf(window_) : FrameSizes{};
  const Size content{std::max(1, outer.width() - frame.left - frame.right),
                     std::max(1, outer.height() - frame.top - frame.bottom)};
  placed_ = Rect{outer.left + frame.left, outer.top + frame.top,
                 outer.left + frame.left + content.width, outer.top + frame.top + content.height};
  if (content.width != frame_.width() || content.height != frame_.height()) {
    frame_.Resize(content.width, content.height, frame_.SystemColour(SystemColour::kFace));
    model_.SetClientSize(content);
    if (window_ != nullptr) SDL_SetWindowSize(window_, content.width, content.height);
  }
  if (window_ == nullptr) return;
  SDL_SetWindowPosition(window_, placed_.left, placed_.top);
  Paint(true);
}

void SdlWindowSystem::DialogHost::ShowMessageBox(std::string_view gbk_text,
                                                 std::string_view gbk_caption, MessageIcon icon) {
  system_.ShowMessageBoxFor(window_, gbk_text, gbk_caption, icon);
}

}  // namespace rolvi::platform::sdl
