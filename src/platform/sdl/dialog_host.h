// One dialog, message box or statistics window on the screen: an SDL window owned by another,
// whose content is a software surface enlarged by the program's scale, running a DialogModel
// and the dialog's handler. Its handler sees rectangles in the program's own pixels.
#pragma once

#include <SDL.h>

#include <optional>
#include <string>

#include "platform/sdl/sdl_handles.h"
#include "platform/sdl/sdl_support.h"
#include "platform/sdl/sdl_window_system.h"
#include "platform/widgets/dialog_model.h"

namespace rolvi::platform::sdl {

class SdlWindowSystem::DialogHost final : public DialogControls {
 public:
  enum class Kind { kModal, kMessageBox, kModeless };

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
  Kind kind() const { return kind_; }
  widgets::DialogModel& model() { return model_; }
  DialogHandler* handler() const { return handler_; }
  bool ended() const { return ended_; }

  // Draws the controls (when `erase`) and then the handler's painting, and shows them.
  void Paint(bool erase);
  void PresentFrame() { Present(); }

  // Input from the event loop.
  void OnKey(const widgets::KeyEvent& key);
  void OnText(std::string_view gbk_text);
  void OnMouseDown(int x, int y);
  void OnMouseUp(int x, int y);
  void OnClose();

  std::string ItemText(int control_id) const override { return model_.ItemText(control_id); }
  void SetItemText(int control_id, std::string_view gbk_text) override;
  void EndDialog(int result) override;
  Rect WindowRect() const override;
  void MoveWindow(const Rect& outer) override;
  Size ClientSize() const override { return Size{frame_.width(), frame_.height()}; }
  void ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                      MessageIcon icon) override;

 private:
  void Apply(const widgets::DialogOutcome& outcome);
  void Present();
  void Describe();
  int scale() const { return system_.scale_; }

  SdlWindowSystem& system_;
  widgets::DialogModel model_;
  DialogHandler* handler_;
  Kind kind_;
  WindowHandle window_;
  bool shown_ = false;
  bool hidden_with_owner_ = false;
  SoftSurface frame_{1, 1};  // the client area, in the program's pixels
  bool ended_ = false;
  std::string caption_;  // UTF-8
  SDL_Window* owner_ = nullptr;
  FrameSizes border_;  // the window manager's frame, screen pixels
  int client_x_ = 0;   // where the client goes, screen pixels
  int client_y_ = 0;
};

}  // namespace rolvi::platform::sdl
