// Runs a DialogHandler on a Win32 dialog made from a template of the resources: the dialog
// procedure that turns initialisation, paint, command and close messages into handler calls,
// and the DialogControls over the dialog's window (item texts converted between GBK and
// UTF-16, ending, placement, message boxes).
#pragma once

#include "platform/dialog.h"
#include "platform/win32/font_set.h"
#include "platform/win32/win32_api.h"

namespace rolvi::platform::win32 {

class DialogHost final : public DialogControls {
 public:
  // `window_slot`, for a modeless dialog, is where its owner keeps the dialog's handle; it
  // is cleared when the dialog goes, however it is closed. Null for a modal dialog.
  DialogHost(DialogHandler& handler, const FontSet& fonts, HWND* window_slot)
      : handler_(handler), fonts_(fonts), window_slot_(window_slot) {}

  // The modal loop from template `id`; returns when the dialog has ended.
  void RunModal(HINSTANCE instance, int id, HWND owner);
  // Creates the modeless dialog from template `id`; its handle lands in the window slot.
  HWND CreateModeless(HINSTANCE instance, int id, HWND owner);

  std::string ItemText(int control_id) const override;
  void SetItemText(int control_id, std::string_view gbk_text) override;
  void EndDialog(int result) override;
  Rect WindowRect() const override;
  void MoveWindow(const Rect& outer) override;
  Size ClientSize() const override;
  void ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                      MessageIcon icon) override;

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param);
  INT_PTR Handle(UINT message, WPARAM w_param);
  void Paint();

  DialogHandler& handler_;
  const FontSet& fonts_;
  HWND* window_slot_;
  HWND window_ = nullptr;
};

// A message box owned by `owner` (OK button; the exclamation icon when asked for).
void ShowGbkMessageBox(HWND owner, std::string_view gbk_text, std::string_view gbk_caption,
                       MessageIcon icon);

}  // namespace rolvi::platform::win32
