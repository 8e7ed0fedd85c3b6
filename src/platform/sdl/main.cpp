// The desktop program: the SDL window system driving the shell's main window. The record file
// lives in the current directory, or with --user-data (the desktop entry) in the data directory,
// where the settings file lives beside it and the game in progress is kept too (or with
// --keep-game beside the record file); --help prints the usage.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/sdl/record_files.h"
#include "platform/sdl/sdl_window_system.h"
#include "platform/tick_source.h"
#include "platform/widgets/table_resource_lookup.h"
#include "res/tables.h"
#include "shell/assets.h"
#include "shell/main_window.h"

namespace {

// Milliseconds since the system started, on the monotonic clock.
std::uint32_t SystemTicks() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

std::uint32_t Ticks() {
#ifdef ROLVI_TEST_SEED_FROM_ENVIRONMENT
  return rolvi::platform::TestSeedOr(&SystemTicks);  // the end-to-end test build fixes the seed
#else
  return SystemTicks();
#endif
}

}  // namespace

int main(int argc, char** argv) {
  const std::span<const char* const> command_line(argv, static_cast<std::size_t>(argc));
  if (rolvi::platform::sdl::AsksForHelp(command_line)) {
    rolvi::platform::sdl::PrintUsage(stdout);
    return 0;
  }
  const auto files = rolvi::platform::sdl::RecordFilesFor(
      command_line, rolvi::platform::sdl::ProcessEnvironment(), stderr);
  if (files == nullptr) return 2;
  const rolvi::platform::widgets::TableResourceLookup resources(rolvi::res::Tables());
  const rolvi::shell::Assets assets = rolvi::shell::LoadAssets(resources);
  rolvi::platform::sdl::SdlWindowSystem system(rolvi::shell::kMainWindowSize, rolvi::res::Tables(),
                                               rolvi::shell::MainWindowIdentity(assets.texts.title),
                                               *files, &Ticks);
  std::string error;
  if (!system.Open(error)) {
    std::fprintf(stderr, "rolvi: %s\n", error.c_str());
    return 1;
  }
  // Written as soon as a result enters it: a crash or a kill must not lose it.
  rolvi::shell::MainWindow window(
      system, assets, rolvi::shell::RecordSaving::kWhenAResultEnters,
      rolvi::platform::sdl::KeepsSettings(command_line) ? files.get() : nullptr);
  if (rolvi::platform::sdl::KeepsGame(command_line)) {
    window.KeepGame({files.get(), std::string(rolvi::shell::kKeptGameFileName), true,
                     [](std::string_view line) {
                       std::fprintf(stderr, "rolvi: %.*s\n", static_cast<int>(line.size()),
                                    line.data());
                     }});
  }
  return system.Run(window);
}
