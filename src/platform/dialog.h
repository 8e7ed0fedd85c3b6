// Dialogs as the core sees them: a handler object that a window system runs from a dialog
// template (named by its resource number, which the program knows and the platform does not),
// and the operations a running dialog offers that handler (item text, ending, moving, message
// boxes).
#pragma once

#include <string>
#include <string_view>

#include "platform/feedback.h"
#include "platform/surface.h"

namespace rolvi::platform {

// What a running dialog offers its handler. Texts are GBK bytes.
class DialogControls {
 public:
  virtual ~DialogControls() = default;
  virtual std::string ItemText(int control_id) const = 0;
  virtual void SetItemText(int control_id, std::string_view gbk_text) = 0;
  // Ends a modal dialog (its loop returns after the current message) or destroys a modeless one.
  virtual void EndDialog(int result) = 0;
  // The dialog's outer rectangle in screen pixels, moving and sizing it, and the size of its
  // client area.
  virtual Rect WindowRect() const = 0;
  virtual void MoveWindow(const Rect& outer) = 0;
  virtual Size ClientSize() const = 0;
  // A message box owned by this dialog; returns when dismissed.
  virtual void ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                              MessageIcon icon) = 0;
};

// The behaviour of one dialog. Unhandled messages return false and get the default handling.
class DialogHandler {
 public:
  virtual ~DialogHandler() = default;
  virtual void OnInit(DialogControls& dialog) = 0;
  // Paints the client area (client pixels) after the controls' own drawing.
  virtual void OnPaint(DialogControls& /*dialog*/, Surface& /*surface*/) {}
  virtual bool OnCommand(DialogControls& /*dialog*/, int /*command*/) { return false; }
  // The close box, the system menu's close, or Alt+F4.
  virtual bool OnClose(DialogControls& /*dialog*/) { return false; }
};

}  // namespace rolvi::platform
