#include "platform/sdl/record_files.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <system_error>
#include <utility>

#include "platform/gbk/gbk_text.h"
#include "platform/sdl/user_data_directory.h"

namespace rolvi::platform::sdl {
namespace {

// Where no record file can live: every open fails, for the reason the directory could not be
// made.
class NoFiles final : public FileSystem {
 public:
  NoFiles(std::string where, FileError error) : where_(std::move(where)), error_(error) {}
  FileHandle OpenForReading(std::string_view) override { return nullptr; }
  FileHandle OpenForWriting(std::string_view) override { return nullptr; }
  FileHandle Create(std::string_view) override { return nullptr; }
  FileError LastError() const override { return error_; }
  std::string Where(std::string_view name) const override {
    return where_ + "/" + std::string(name);
  }

 private:
  std::string where_;
  FileError error_;
};

// The directory as the player reads it: GBK where the name converts, else '?' for what does
// not.
std::string Shown(const std::filesystem::path& directory) {
  const std::string utf8 = directory.string();
  if (auto gbk = Utf8ToGbk(utf8)) return *gbk;
  std::string shown;
  for (const char c : utf8)
    shown.push_back(static_cast<unsigned char>(c) < 0x80 ? c : '?');
  return shown;
}

// Whether `option` is among the arguments after the program's name.
bool HasOption(std::span<const char* const> command_line, std::string_view option) {
  const auto arguments = command_line.subspan(command_line.empty() ? 0 : 1);
  return std::any_of(arguments.begin(), arguments.end(),
                     [option](const char* argument) { return argument == option; });
}

}  // namespace

bool AsksForHelp(std::span<const char* const> command_line) {
  return HasOption(command_line, kHelpOption);
}

void PrintUsage(std::FILE* out) {
  std::fprintf(out,
               "usage: rolvi [--user-data] [--keep-game]\n"
               "  --user-data  keep the record file in $XDG_DATA_HOME/rolvi (default\n"
               "               ~/.local/share/rolvi) instead of the current directory, and\n"
               "               the game in progress beside it\n"
               "  --keep-game  keep the game in progress between runs beside the record file\n"
               "  --help       show this and exit\n");
}

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
  if (!user_data) {
    return std::make_unique<DiskFileSystem>(environment.current_directory,
                                            Shown(environment.current_directory));
  }

  const auto directory = UserDataDirectory(environment.xdg_data_home, environment.home);
  if (!directory) {
    std::fprintf(errors,
                 "rolvi: no data directory (neither XDG_DATA_HOME nor HOME is an absolute"
                 " path); the results of this run cannot be saved\n");
    return std::make_unique<NoFiles>("$XDG_DATA_HOME/rolvi", FileError::kNotFound);
  }
  std::error_code error;
  if (!MakePrivateDirectories(*directory, error)) {
    std::fprintf(errors,
                 "rolvi: cannot make the data directory %s: %s; the results of this run"
                 " cannot be saved\n",
                 directory->c_str(), error.message().c_str());
    const FileError reason =
        error.category() == std::generic_category() || error.category() == std::system_category()
            ? FileErrorFromErrno(error.value())
            : FileError::kFailed;
    return std::make_unique<NoFiles>(Shown(*directory), reason);
  }
  return std::make_unique<DiskFileSystem>(*directory, Shown(*directory));
}

bool KeepsGame(std::span<const char* const> command_line) {
  return HasOption(command_line, kUserDataOption) || HasOption(command_line, kKeepGameOption);
}

bool KeepsSettings(std::span<const char* const> command_line) {
  return HasOption(command_line, kUserDataOption);
}

}  // namespace rolvi::platform::sdl
