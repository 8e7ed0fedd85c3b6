// One dialog, message box or statistics window as every back end that draws its own windows
// runs it: the model and the handler, its client pixels, and how input and the handler's
// commands end it. Each back end adds the window around it: where it is and how it is shown.
#pragma once

#include <string>
#include <string_view>

#include "platform/dialog.h"
#include "platform/software/soft_surface.h"
#include "platform/widgets/dialog_model.h"
#include "platform/widgets/input.h"

namespace rolvi::platform::widgets {

class DialogSession : public DialogControls {
 public:
  enum class Kind { kModal, kMessageBox, kModeless };

  DialogSession(DialogModel model, DialogHandler* handler, Kind kind);

  Kind kind() const { return kind_; }
  DialogModel& model() { return model_; }
  const DialogModel& model() const { return model_; }
  DialogHandler* handler() const { return handler_; }
  bool ended() const { return ended_; }

  // Draws the controls (when `erase`) and then the handler's painting, and shows them.
  void Paint(bool erase);

  // Input from the event loop; mouse positions in client pixels.
  void OnKey(const KeyEvent& key);
  void OnText(std::string_view gbk_text);
  // The edit field's text as the player made it in the window system's own field.
  void OnFieldText(std::string_view gbk_text);
  void OnMouseDown(int x, int y);
  void OnMouseUp(int x, int y);
  // The close box or Alt+F4: a message box ends; a dialog asks its handler.
  void OnClose();

  std::string ItemText(int control_id) const override { return model_.ItemText(control_id); }
  void SetItemText(int control_id, std::string_view gbk_text) override;
  void EndDialog(int result) override;
  Size ClientSize() const override { return Size{client_.width(), client_.height()}; }

 protected:
  // Puts the client pixels on the screen.
  virtual void Present() = 0;
  virtual bool shown() const = 0;
  // A modeless dialog that ended leaves its window system.
  virtual void CloseModeless() = 0;

  SoftSurface& client() { return client_; }
  const SoftSurface& client() const { return client_; }
  // Gives the client area a new size (at least 1 by 1, at most the largest client); false
  // when it already has it.
  bool ResizeClient(Size size);
  void MarkEnded() { ended_ = true; }

 private:
  void Apply(const DialogOutcome& outcome);

  DialogModel model_;
  DialogHandler* handler_;
  Kind kind_;
  SoftSurface client_{1, 1};
  bool ended_ = false;
};

}  // namespace rolvi::platform::widgets
