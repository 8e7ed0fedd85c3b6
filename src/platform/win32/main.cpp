// The Windows program: the Win32 window system driving the shell's main window. The record file
// lives in the current directory; with --keep-game the game in progress is kept beside it.
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/tick_source.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_file_system.h"
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

// Whether the words of the command line (after the program's name) hold --keep-game; other
// words are ignored, as they always were.
bool KeepGameAsked(std::string_view arguments) {
  constexpr std::string_view kOption = "--keep-game";
  std::size_t at = 0;
  while (at < arguments.size()) {
    const std::size_t end = std::min(arguments.find_first_of(" \t", at), arguments.size());
    if (arguments.substr(at, end - at) == kOption) return true;
    at = end + 1;
  }
  return false;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
  const std::wstring directory = CurrentDirectory();
  rolvi::platform::win32::Win32FileSystem files(directory,
                                                rolvi::platform::win32::ToGbk(directory));
  const rolvi::platform::win32::Win32ResourceLookup resources(instance);
  const rolvi::shell::Assets assets = rolvi::shell::LoadAssets(resources);
  rolvi::platform::win32::Win32WindowSystem system(
      instance, rolvi::shell::kMainWindowSize, rolvi::shell::MainWindowIdentity(assets.texts.title),
      files, &Ticks);
  // Written as soon as a result enters it: a crash or a kill must not lose it.
  rolvi::shell::MainWindow window(system, assets, rolvi::shell::RecordSaving::kWhenAResultEnters);
  if (KeepGameAsked(arguments != nullptr ? arguments : "")) {
    window.KeepGame(
        {&files, std::string(rolvi::shell::kKeptGameFileName), true, [](std::string_view line) {
           std::fprintf(stderr, "rolvi: %.*s\n", static_cast<int>(line.size()), line.data());
         }});
  }
  // The window is shown as the launcher asked (SW_SHOWDEFAULT).
  return system.Run(window, SW_SHOWDEFAULT);
}
