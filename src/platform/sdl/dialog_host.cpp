#include "platform/sdl/dialog_host.h"

#include <utility>

#include "platform/gbk/gbk_text.h"
#include "platform/sdl/display_scale.h"
#include "platform/sdl/sdl_support.h"
#include "platform/sdl/x11_window_hints.h"

namespace rolvi::platform::sdl {

using widgets::DialogModel;

SdlWindowSystem::DialogHost::DialogHost(SdlWindowSystem& system, DialogModel model,
                                        DialogHandler* handler, Kind kind)
    : DialogSession(std::move(model), handler, kind), system_(system) {}

SdlWindowSystem::DialogHost::~DialogHost() = default;

void SdlWindowSystem::DialogHost::Prepare(std::string_view gbk_caption, SDL_Window* owner) {
  caption_ = GbkToUtf8(gbk_caption);
  owner_ = owner;
  const Size content = ClientSize();
  // Owned windows have no taskbar button; the statistics window is a small tool window.
  Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_SKIP_TASKBAR;
  if (kind() == Kind::kModeless) flags |= SDL_WINDOW_UTILITY;
  window_.reset(SDL_CreateWindow(caption_.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                 content.width * scale(), content.height * scale(), flags));
  if (window_ == nullptr) return;
  if (owner_ != nullptr && kind() != Kind::kModeless) SDL_SetWindowModalFor(window_.get(), owner_);
  Describe();
  border_ = ExpectedFrame(window_.get());
  const Size screen{system_.ScreenSize().width * scale(), system_.ScreenSize().height * scale()};
  const Point place = CentreIn(screen, OuterSizeOnScreen());
  PlaceFrameAt(place.x, place.y);
}

void SdlWindowSystem::DialogHost::Describe() {
  DescribeOwnedWindow(window_.get(),
                      kind() == Kind::kModeless ? OwnedRole::kTool : OwnedRole::kDialog, owner_);
}

bool SdlWindowSystem::DialogHost::Show() {
  if (window_ == nullptr) {
    MarkEnded();
    return false;
  }
  PlaceClient(window_.get(), client_x_, client_y_);
  SDL_ShowWindow(window_.get());
  shown_ = true;
  if (kind() != Kind::kModeless) {
    SDL_RaiseWindow(window_.get());
    SDL_SetWindowInputFocus(window_.get());
  }
  Paint(true);
  return true;
}

Size SdlWindowSystem::DialogHost::OuterSizeOnScreen() const {
  return Size{ClientSize().width * scale() + border_.left + border_.right,
              ClientSize().height * scale() + border_.top + border_.bottom};
}

void SdlWindowSystem::DialogHost::PlaceFrameAt(int x, int y) {
  client_x_ = x + border_.left;
  client_y_ = y + border_.top;
  if (window_ != nullptr && shown_) PlaceClient(window_.get(), client_x_, client_y_);
}

void SdlWindowSystem::DialogHost::FollowOwner(bool owner_minimised) {
  if (window_ == nullptr || !shown_) return;
  if (owner_minimised && !hidden_with_owner_) {
    hidden_with_owner_ = true;
    SDL_HideWindow(window_.get());
  } else if (!owner_minimised && hidden_with_owner_) {
    hidden_with_owner_ = false;
    Describe();  // a withdrawn window may have lost its state
    SDL_ShowWindow(window_.get());
    Paint(false);
  }
}

void SdlWindowSystem::DialogHost::Present() {
  if (window_ == nullptr || !shown_) return;
  sdl::Present(window_.get(), scale(), ClientSize(), {Layer{&client(), 0, 0}});
}

Rect SdlWindowSystem::DialogHost::WindowRect() const {
  if (window_ != nullptr && shown_) return ToLogical(OuterRect(window_.get()), scale());
  const Size outer = OuterSizeOnScreen();
  const int left = client_x_ - border_.left;
  const int top = client_y_ - border_.top;
  return ToLogical(Rect{left, top, left + outer.width, top + outer.height}, scale());
}

void SdlWindowSystem::DialogHost::MoveWindow(const Rect& outer) {
  // The frame belongs to the window manager and its size is not the program's to choose: a
  // move that keeps the outer size keeps the client as it is, and a new size is the client's.
  const Rect now = WindowRect();
  if ((outer.width() != now.width() || outer.height() != now.height()) &&
      ResizeClient({outer.width(), outer.height()}) && window_ != nullptr) {
    SDL_SetWindowSize(window_.get(), ClientSize().width * scale(), ClientSize().height * scale());
  }
  PlaceFrameAt(outer.left * scale(), outer.top * scale());
  if (shown_) Paint(true);
}

void SdlWindowSystem::DialogHost::ShowMessageBox(std::string_view gbk_text,
                                                 std::string_view gbk_caption, MessageIcon icon) {
  system_.ShowMessageBoxFor(window_.get(), gbk_text, gbk_caption, icon);
}

}  // namespace rolvi::platform::sdl
