#include "platform/sdl/record_files.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/sdl/user_data_directory.h"

namespace rolvi::platform::sdl {
namespace {

// Where no record file can live: every open fails.
class NoFiles final : public FileSystem {
 public:
  FileHandle OpenForReading(std::string_view) override { return nullptr; }
  FileHandle OpenForWriting(std::string_view) override { return nullptr; }
  FileHandle Create(std::string_view) override { return nullptr; }
};

void PrintUsage(std::FILE* errors) {
  std::fprintf(errors,
               "usage: rolvi [--user-data] [--keep-game]\n"
               "  --user-data  keep the record file in $XDG_DATA_HOME/rolvi (default\n"
               "               ~/.local/share/rolvi) instead of the current directory, and\n"
               "               the game in progress beside it\n"
               "  --keep-game  keep the game in progress between runs beside the record file\n");
}

}  // namespace

StartEnvironment ProcessEnvironment() {
  std::error_code ignored;
  return {std::getenv("XDG_DATA_HOME"), std::getenv("HOME"),
          std::filesystem::current_path(ignored)};
}

std::unique_ptr<FileSystem> RecordFilesFor(std::span<const char* const> command_line,
                                           const StartEnvironment& environment, std::FILE* errors) {
  bool user_data = false;
  for (const char* argument : command_line.subspan(command_line.empty() ? 0 : 1)) {
    if (argument != kUserDataOption && argument != kKeepGameOption) {
      PrintUsage(errors);
      return nullptr;
    }
    user_data = user_data || argument == kUserDataOption;
  }
  if (!user_data) return std::make_unique<DiskFileSystem>(environment.current_directory);

  const auto directory = UserDataDirectory(environment.xdg_data_home, environment.home);
  if (!directory) {
    std::fprintf(errors,
                 "rolvi: no data directory (neither XDG_DATA_HOME nor HOME is an absolute"
                 " path); the results of this run cannot be saved\n");
    return std::make_unique<NoFiles>();
  }
  std::error_code error;
  if (!MakePrivateDirectories(*directory, error)) {
    std::fprintf(errors,
                 "rolvi: cannot make the data directory %s: %s; the results of this run"
                 " cannot be saved\n",
                 directory->c_str(), error.message().c_str());
    return std::make_unique<NoFiles>();
  }
  return std::make_unique<DiskFileSystem>(*directory);
}

bool KeepsGame(std::span<const char* const> command_line) {
  return std::any_of(command_line.begin() + (command_line.empty() ? 0 : 1), command_line.end(),
                     [](const char* argument) {
                       return argument == kUserDataOption || argument == kKeepGameOption;
                     });
}

}  // namespace rolvi::platform::sdl
