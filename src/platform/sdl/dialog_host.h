// One dialog, message box or statistics window on the screen: an SDL window whose content is
// a software surface, running a DialogModel and the dialog's handler.
#pragma once

#include <SDL.h>

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

  // Makes the (hidden) window with the model's client size; false when it cannot be made.
  bool Create(std::string_view gbk_caption, SDL_Window* owner);
  void Show();
  Uint32 id() const { return SDL_GetWindowID(window_); }
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
};

}  // namespace rolvi::platform::sdl
