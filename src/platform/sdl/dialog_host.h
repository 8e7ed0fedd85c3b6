// One dialog, message box or statistics window on the screen: an SDL window owned by another,
// whose content is a software surface enlarged by the program's scale, running a DialogModel
// and the dialog's handler. Its handler sees rectangles in the program's own pixels.
#pragma once

#include <SDL.h>

#include <string>

#include "platform/sdl/sdl_handles.h"
#include "platform/sdl/sdl_support.h"
#include "platform/sdl/sdl_window_system.h"
#include "platform/widgets/dialog_session.h"

namespace rolvi::platform::sdl {

class SdlWindowSystem::DialogHost final : public widgets::DialogSession {
 public:
  DialogHost(SdlWindowSystem& system, widgets::DialogModel model, DialogHandler* handler,
             Kind kind);
  ~DialogHost() override;
  DialogHost(const DialogHost&) = delete;
  DialogHost& operator=(const DialogHost&) = delete;

  // Makes the window, hidden, with its caption and owner, learns the frame the window manager
  // will give it and centres it on the screen; the handler may move it before Show() puts it
  // on the screen. Show() is false when the window could not be made.
  void Prepare(std::string_view gbk_caption, SDL_Window* owner);
  bool Show();
  // Its outer size, and putting its frame's top-left at a point, in screen pixels.
  Size OuterSizeOnScreen() const;
  void PlaceFrameAt(int x, int y);
  // The statistics window leaves the screen while its owner is minimised and comes back with it.
  void FollowOwner(bool owner_minimised);
  Uint32 id() const { return window_ != nullptr ? SDL_GetWindowID(window_.get()) : 0; }
  SDL_Window* window() const { return window_.get(); }
  void PresentFrame() { Present(); }

  Rect WindowRect() const override;
  void MoveWindow(const Rect& outer) override;
  void ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                      MessageIcon icon) override;

 private:
  void Present() override;
  bool shown() const override { return shown_; }
  void CloseModeless() override { system_.CloseModelessDialog(); }
  void Describe();
  int scale() const { return system_.scale_; }

  SdlWindowSystem& system_;
  WindowHandle window_;
  bool shown_ = false;
  bool hidden_with_owner_ = false;
  std::string caption_;  // UTF-8
  SDL_Window* owner_ = nullptr;
  FrameSizes border_;  // the window manager's frame, screen pixels
  int client_x_ = 0;   // where the client goes, screen pixels
  int client_y_ = 0;
};

}  // namespace rolvi::platform::sdl
