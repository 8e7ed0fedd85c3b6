#include "platform/sdl/user_data_directory.h"

#include <sys/stat.h>

#include <cerrno>

namespace rolvi::platform::sdl {
namespace {

constexpr const char* kProgramDirectory = "rolvi";

bool IsAbsolute(const char* value) {
  return value != nullptr && value[0] != '\0' && std::filesystem::path(value).is_absolute();
}

}  // namespace

std::optional<std::filesystem::path> UserDataDirectory(const char* xdg_data_home,
                                                       const char* home) {
  if (IsAbsolute(xdg_data_home)) return std::filesystem::path(xdg_data_home) / kProgramDirectory;
  if (IsAbsolute(home)) {
    return std::filesystem::path(home) / ".local" / "share" / kProgramDirectory;
  }
  return std::nullopt;
}

bool MakePrivateDirectories(const std::filesystem::path& directory, std::error_code& error) {
  error.clear();
  std::filesystem::path made;
  for (const std::filesystem::path& part : directory) {
    made /= part;
    if (part.empty() || made == made.root_path()) continue;
    if (::mkdir(made.c_str(), 0700) == 0) continue;
    if (errno != EEXIST) {
      error.assign(errno, std::generic_category());
      return false;
    }
    // Something is there already: a directory, or a link to one, is fine.
    if (!std::filesystem::is_directory(made, error)) {
      if (!error) error = std::make_error_code(std::errc::not_a_directory);
      return false;
    }
  }
  return true;
}

}  // namespace rolvi::platform::sdl
