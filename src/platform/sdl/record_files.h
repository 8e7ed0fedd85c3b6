// Where the desktop program keeps its record file, from its command line: the current
// directory, as a program started from a terminal does; with --user-data (which only the
// installed desktop entry passes) the user's data directory, made on demand. And whether it
// keeps the game in progress and the settings there.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>
#include <string_view>

#include "platform/file_system.h"

namespace rolvi::platform::sdl {

inline constexpr std::string_view kUserDataOption = "--user-data";
// Keeps the game in progress beside the record file, which --user-data does anyway.
inline constexpr std::string_view kKeepGameOption = "--keep-game";
inline constexpr std::string_view kHelpOption = "--help";

// True when --help is among the arguments (after the program's name): the program then
// prints its usage on standard output and exits with code 0.
bool AsksForHelp(std::span<const char* const> command_line);
// The options and what they do.
void PrintUsage(std::FILE* out);

// What the choice depends on besides the arguments.
struct StartEnvironment {
  const char* xdg_data_home = nullptr;  // null when unset
  const char* home = nullptr;
  std::filesystem::path current_directory;
};

StartEnvironment ProcessEnvironment();

// The files the record table is read from and saved to, for this command line (the program's
// name first). For arguments the program does not know, a usage on `errors` and null (the
// program then exits with code 2). When the data
// directory cannot be made, one line on `errors` and a file system that opens nothing: the
// game plays with the default table and the results of the run cannot be saved.
std::unique_ptr<FileSystem> RecordFilesFor(std::span<const char* const> command_line,
                                           const StartEnvironment& environment, std::FILE* errors);

// Whether this command line (one RecordFilesFor accepts) keeps the game in progress between
// runs, beside the record file: with --user-data, as the desktop entry starts the program, or
// with --keep-game.
bool KeepsGame(std::span<const char* const> command_line);
// Whether it remembers the player's settings, beside the record file: only with --user-data,
// so that the classic run from a terminal leaves no new file in the current directory.
bool KeepsSettings(std::span<const char* const> command_line);

}  // namespace rolvi::platform::sdl
