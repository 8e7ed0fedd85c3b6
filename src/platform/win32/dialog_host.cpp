#include "platform/win32/dialog_host.h"

#include <array>

#include "platform/win32/gdi_surface.h"
#include "platform/win32/win32_text.h"

namespace rolvi::platform::win32 {

void ShowGbkMessageBox(HWND owner, std::string_view gbk_text, std::string_view gbk_caption,
                       MessageIcon icon) {
  const WideText text(gbk_text);
  const WideText caption(gbk_caption);
  const UINT style = MB_OK | (icon == MessageIcon::kExclamation ? MB_ICONEXCLAMATION : 0);
  MessageBoxW(owner, text.c_str(), caption.c_str(), style);
}

void DialogHost::RunModal(HINSTANCE instance, int id, HWND owner) {
  DialogBoxParamW(instance, MAKEINTRESOURCEW(id), owner, &DialogHost::Procedure,
                  reinterpret_cast<LPARAM>(this));
}

HWND DialogHost::CreateModeless(HINSTANCE instance, int id, HWND owner) {
  HWND window = CreateDialogParamW(instance, MAKEINTRESOURCEW(id), owner, &DialogHost::Procedure,
                                   reinterpret_cast<LPARAM>(this));
  if (window_slot_ != nullptr) *window_slot_ = window;
  return window;
}

INT_PTR CALLBACK DialogHost::Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, l_param);
    reinterpret_cast<DialogHost*>(l_param)->window_ = window;
  }
  auto* host = reinterpret_cast<DialogHost*>(GetWindowLongPtrW(window, DWLP_USER));
  if (host == nullptr) return FALSE;
  return host->Handle(message, w_param);
}

INT_PTR DialogHost::Handle(UINT message, WPARAM w_param) {
  switch (message) {
    case WM_INITDIALOG:
      handler_.OnInit(*this);
      if (window_slot_ != nullptr) {
        // The statistics window only shows; the keyboard stays with the main window.
        SetFocus(GetWindow(window_, GW_OWNER));
        return FALSE;
      }
      return TRUE;  // the focus goes to the first tab-stop control
    case WM_PAINT:
      Paint();
      return TRUE;
    case WM_COMMAND:
      return handler_.OnCommand(*this, static_cast<int>(w_param & 0xFFFFFFFFu)) ? TRUE : FALSE;
    case WM_CLOSE:
      return handler_.OnClose(*this) ? TRUE : FALSE;
    case WM_NCDESTROY:
      if (window_slot_ != nullptr && *window_slot_ == window_) *window_slot_ = nullptr;
      SetWindowLongPtrW(window_, DWLP_USER, 0);
      window_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

void DialogHost::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  {
    GdiSurface surface(dc, fonts_);
    surface.SelectFont(Font::kDialog);
    handler_.OnPaint(*this, surface);
  }
  EndPaint(window_, &paint);
}

std::string DialogHost::ItemText(int control_id) const {
  std::array<wchar_t, 256> text{};
  const UINT length =
      GetDlgItemTextW(window_, control_id, text.data(), static_cast<int>(text.size()));
  return ToGbk({text.data(), length});
}

void DialogHost::SetItemText(int control_id, std::string_view gbk_text) {
  const WideText text(gbk_text);
  SetDlgItemTextW(window_, control_id, text.c_str());
}

void DialogHost::EndDialog(int result) {
  if (window_slot_ != nullptr) {
    DestroyWindow(window_);
  } else {
    ::EndDialog(window_, result);
  }
}

Rect DialogHost::WindowRect() const {
  RECT outer{};
  GetWindowRect(window_, &outer);
  return {outer.left, outer.top, outer.right, outer.bottom};
}

void DialogHost::MoveWindow(const Rect& outer) {
  ::MoveWindow(window_, outer.left, outer.top, outer.width(), outer.height(), TRUE);
}

Size DialogHost::ClientSize() const {
  RECT client{};
  GetClientRect(window_, &client);
  return {client.right, client.bottom};
}

void DialogHost::ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                                MessageIcon icon) {
  ShowGbkMessageBox(window_, gbk_text, gbk_caption, icon);
}

}  // namespace rolvi::platform::win32
