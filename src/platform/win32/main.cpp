// The Windows program: the Win32 window system driving the shell's main window. It takes no
// arguments; the record file lives in the current directory.
#include <cstdlib>
#include <filesystem>

#include "platform/file_system.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_window_system.h"
#include "shell/main_window.h"
#include "shell/resources.h"

namespace {

std::uint32_t SystemTicks() {
  return GetTickCount();
}

#ifdef ROLVI_TEST_SEED_FROM_ENVIRONMENT
// The smoke-test build only: a fixed seed from ROLVI_TEST_SEED, so that a test knows where the
// first balls land.
std::uint32_t TestTicks() {
  const char* seed = std::getenv("ROLVI_TEST_SEED");
  if (seed == nullptr) return SystemTicks();
  return static_cast<std::uint32_t>(std::strtoul(seed, nullptr, 10));
}
constexpr rolvi::platform::win32::TickSource kTicks = &TestTicks;
#else
constexpr rolvi::platform::win32::TickSource kTicks = &SystemTicks;
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  std::error_code error;
  rolvi::platform::DiskFileSystem files(std::filesystem::current_path(error));
  rolvi::platform::win32::Win32WindowSystem system(instance, files, kTicks);
  rolvi::shell::MainWindow window(system, rolvi::shell::EmbeddedResources());
  // The window is shown as the launcher asked (SW_SHOWDEFAULT).
  return system.Run(window, SW_SHOWDEFAULT);
}
