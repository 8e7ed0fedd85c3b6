// The Windows program: the Win32 window system driving the shell's main window. It takes no
// arguments; the record file lives in the current directory.
#include <filesystem>

#include "platform/file_system.h"
#include "platform/tick_source.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_window_system.h"
#include "shell/main_window.h"
#include "shell/resources.h"

namespace {

std::uint32_t SystemTicks() {
  return GetTickCount();
}

#ifdef ROLVI_TEST_SEED_FROM_ENVIRONMENT
std::uint32_t Ticks() {  // the smoke-test build
  return rolvi::platform::TestSeedOr(&SystemTicks);
}
#else
std::uint32_t Ticks() {
  return SystemTicks();
}
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  std::error_code error;
  rolvi::platform::DiskFileSystem files(std::filesystem::current_path(error));
  rolvi::platform::win32::Win32WindowSystem system(instance, rolvi::shell::kMainWindowSize, files,
                                                   &Ticks);
  rolvi::shell::MainWindow window(system, rolvi::shell::EmbeddedResources());
  // The window is shown as the launcher asked (SW_SHOWDEFAULT).
  return system.Run(window, SW_SHOWDEFAULT);
}
