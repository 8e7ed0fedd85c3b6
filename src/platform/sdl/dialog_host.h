// One dialog, message box or statistics window on the screen: an SDL window whose content is
// a software surface, running a DialogModel and the dialog's handler.
#pragma once

#include <SDL.h>

#include <optional>
#include <string>

#include "platform/sdl/dialog_model.h"
#include "platform/sdl/sdl_window_system.h"

namespace rolvi::platform::sdl {

class SdlWindowSystem::DialogHost final : public DialogControls {
 public:
  enum class Kind { kModal, kMessageBox, kModeless };

  DialogHost(SdlWindowSystem& system, DialogModel model, DialogHandler* handler, Kind kind);
  ~DialogHost() override;
  DialogHost(const DialogHost&) = delete;
  DialogHost& operator=(const DialogHost&) = delete;

  // Sets the caption and owner and centres the dialog on the screen; the handler may move it
  // before Show() puts it on the screen. Show() is false when the window cannot be made.
  void Prepare(std::string_view gbk_caption, SDL_Window* owner);
  bool Show();
  Uint32 id() const { return window_ != nullptr ? SDL_GetWindowID(window_) : 0; }
  SDL_Window* window() const { return window_; }
  Kind kind() const { return kind_; }
  DialogModel& model() { return model_; }
  DialogHandler* handler() const { return handler_; }
  bool ended() const { return ended_; }

  // Draws the controls (when `erase`) and then the handler's painting, and shows them.
  void Paint(bool erase);
  void PresentFrame() { Present(); }

  // Input from the event loop.
  void OnKey(const KeyEvent& key);
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
  void Apply(const DialogOutcome& outcome);
  void Present();

  SdlWindowSystem& system_;
  DialogModel model_;
  DialogHandler* handler_;
  Kind kind_;
  SDL_Window* window_ = nullptr;
  SoftSurface frame_{1, 1};
  bool ended_ = false;
  std::string caption_;  // UTF-8
  SDL_Window* owner_ = nullptr;
  Rect placed_;  // the content's rectangle on the screen
};

}  // namespace rolvi::platform::sdl
