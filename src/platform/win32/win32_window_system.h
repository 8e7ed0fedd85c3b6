// The Win32 window system: registers the "RolviWindow" class, creates the centred main window
// with its menu and accelerators, runs the message loop (statistics window, accelerators,
// translate and dispatch), and turns the main window's messages into WindowHandlers calls.
// Its services are the window's own device context, the tick count, Sleep, MessageBeep,
// check marks, the 50 ms timer, message boxes and the dialogs of the resources.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/tick_source.h"
#include "platform/win32/dialog_host.h"
#include "platform/win32/font_set.h"
#include "platform/win32/gdi_surface.h"
#include "platform/win32/win32_api.h"
#include "platform/window_system.h"

namespace rolvi::platform::win32 {

inline constexpr UINT_PTR kJumpTimerId = 4096;

class Win32WindowSystem final : public WindowSystem {
 public:
  // The main window is made at `outer_size`, centred on the screen, with the caption, icon,
  // menu and accelerators `identity` names.
  Win32WindowSystem(HINSTANCE instance, Size outer_size, const MainWindowIdentity& identity,
                    FileSystem& files, TickSource ticks);
  ~Win32WindowSystem() override;
  Win32WindowSystem(const Win32WindowSystem&) = delete;
  Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

  // Registers the class, creates and shows the window and runs the message loop until the
  // window is destroyed. Returns the quit message's code; 0 when the class cannot be
  // registered, 1 when the window cannot be created.
  int Run(WindowHandlers& handlers, int show_command);

  Surface* StartDrawing() override;
  Size ClientSize() const override;
  Rect WindowRect() const override;
  Size ScreenSize() const override { return screen_size_; }
  std::uint32_t TickCount() override { return ticks_(); }
  void Pause(int milliseconds) override;
  bool Beep() override;
  void SetMenuCheck(int command, bool checked) override;
  void StartTimer(int period_ms) override;
  void StopTimer() override;
  void DestroyMainWindow() override;
  void ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                      MessageIcon icon) override;
  void RunModalDialog(int dialog, DialogHandler& handler) override;
  bool OpenModelessDialog(int dialog, DialogHandler& handler) override;
  void CloseModelessDialog() override;
  void InvalidateModelessDialog() override;
  FileSystem& Files() override { return files_; }
  // A message box; none while the session ends. While the main window is being destroyed
  // the box has no owner.
  void ReportProblem(std::string_view gbk_text, std::string_view gbk_caption) override;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param);
  LRESULT Handle(UINT message, WPARAM w_param, LPARAM l_param);
  void Paint();

  HINSTANCE instance_;
  FileSystem& files_;
  TickSource ticks_;
  Size outer_size_;
  MainWindowIdentity identity_;
  FontSet fonts_;
  Size screen_size_;
  WindowHandlers* handlers_ = nullptr;
  HWND window_ = nullptr;
  std::unique_ptr<GdiSurface> window_surface_;  // over the window's own context, never released
  std::optional<DialogHost> stats_host_;
  HWND stats_window_ = nullptr;
  bool destroying_ = false;
  bool session_ending_ = false;
};

}  // namespace rolvi::platform::win32
