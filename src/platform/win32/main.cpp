// The Windows program: the Win32 window system driving the shell's main window. It takes no
// arguments; the record file lives in the current directory.
#include <string>

#include "platform/file_system.h"
#include "platform/tick_source.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_resources.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window_system.h"
#include "shell/assets.h"
#include "shell/main_window.h"

namespace {

std::uint32_t SystemTicks() {
  return GetTickCount();
}

std::uint32_t Ticks() {
#ifdef ROLVI_TEST_SEED_FROM_ENVIRONMENT
  return rolvi::platform::TestSeedOr(&SystemTicks);  // the smoke-test build fixes the seed
#else
  return SystemTicks();
#endif
}

// The current directory at start, where the record file lives; empty when it cannot be read,
// and then names resolve against the current directory whenever a file is opened.
std::wstring CurrentDirectory() {
  std::wstring directory(GetCurrentDirectoryW(0, nullptr), L'\0');
  const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data());
  directory.resize(length < directory.size() ? length : 0);
  return directory;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const std::wstring directory = CurrentDirectory();
  rolvi::platform::DiskFileSystem files(directory, rolvi::platform::win32::ToGbk(directory));
  const rolvi::platform::win32::Win32ResourceLookup resources(instance);
  const rolvi::shell::Assets assets = rolvi::shell::LoadAssets(resources);
  rolvi::platform::win32::Win32WindowSystem system(
      instance, rolvi::shell::kMainWindowSize, rolvi::shell::MainWindowIdentity(assets.texts.title),
      files, &Ticks);
  rolvi::shell::MainWindow window(system, assets);
  // The window is shown as the launcher asked (SW_SHOWDEFAULT).
  return system.Run(window, SW_SHOWDEFAULT);
}
