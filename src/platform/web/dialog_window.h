// One dialog, message box or statistics window on the page: a framed canvas running a
// DialogModel and the dialog's handler. The handler sees rectangles on the shell's screen, in
// the program's pixels, the outer rectangle being the frame's.
#pragma once

#include <string_view>

#include "platform/web/page_window.h"
#include "platform/web/web_window_system.h"
#include "platform/widgets/dialog_model.h"

namespace rolvi::platform::web {

class WebWindowSystem::DialogWindow final : public DialogControls {
 public:
  enum class Kind { kModal, kMessageBox, kModeless };

  // Made hidden, centred on the screen; the handler may move it before Show().
  DialogWindow(WebWindowSystem& system, widgets::DialogModel model, DialogHandler* handler,
               Kind kind, std::string_view gbk_caption);

  void Show();
  PageWindow& window() { return window_; }
  const PageWindow& window() const { return window_; }
  Kind kind() const { return kind_; }
  widgets::DialogModel& model() { return model_; }
  const widgets::DialogModel& model() const { return model_; }
  bool ended() const { return ended_; }

  // Draws the controls (when `erase`) and then the handler's painting, and shows them.
  void Paint(bool erase);
  void Present();

  // Input from the event loop; mouse positions in canvas pixels.
  void OnKey(const widgets::KeyEvent& key);
  void OnText(std::string_view gbk_text);
  void OnMouse(PageEvent::Kind kind, int x, int y);
  void OnClose();

  std::string ItemText(int control_id) const override { return model_.ItemText(control_id); }
  void SetItemText(int control_id, std::string_view gbk_text) override;
  void EndDialog(int result) override;
  Rect WindowRect() const override { return window_.OuterRect(); }
  void MoveWindow(const Rect& outer) override;
  Size ClientSize() const override { return Size{content_.width(), content_.height()}; }
  void ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                      MessageIcon icon) override;

 private:
  void Apply(const widgets::DialogOutcome& outcome);

  WebWindowSystem& system_;
  widgets::DialogModel model_;
  DialogHandler* handler_;
  Kind kind_;
  PageWindow window_;
  SoftSurface content_{1, 1};  // the client area, in the program's pixels
  bool ended_ = false;
};

}  // namespace rolvi::platform::web
