// The user's data directory for the desktop program, by the XDG base directory rules:
// $XDG_DATA_HOME/rolvi, else ~/.local/share/rolvi. The environment comes in as parameters, so
// the rules can be checked without touching the real home directory.
#pragma once

#include <filesystem>
#include <optional>
#include <system_error>

namespace rolvi::platform::sdl {

// $XDG_DATA_HOME/rolvi when XDG_DATA_HOME is an absolute path, else $HOME/.local/share/rolvi
// when HOME is; nothing when neither is usable. Null stands for an unset variable; an empty or
// relative value is ignored like an unset one.
std::optional<std::filesystem::path> UserDataDirectory(const char* xdg_data_home, const char* home);

// Makes `directory` and every missing directory above it, each with mode 0700 (before the
// umask). An existing directory is accepted as it is; false, with `error` set, when a part of
// the path is not a directory or cannot be made.
bool MakePrivateDirectories(const std::filesystem::path& directory, std::error_code& error);

}  // namespace rolvi::platform::sdl
