// The player's choices that outlive a run, and the small text file that keeps them beside the
// record file: one "name=value" line each. A file that cannot be read or is damaged counts as
// none, and every choice then takes its default.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace rolvi::shell {

inline constexpr std::string_view kSettingsFileName = "rolvi.ini";

struct Settings {
  bool ball_symbols = false;
  friend bool operator==(const Settings&, const Settings&) = default;
};

// Nothing when the text is damaged: longer than a settings file can be, a line that is not
// "name=value", or a known name with a value it cannot take. Blank lines, lines starting with
// "#" and unknown names (a later version's) are passed over.
std::optional<Settings> ParseSettings(std::span<const std::uint8_t> text);
std::string FormatSettings(const Settings& settings);

// The defaults when the file is missing, unreadable or damaged.
Settings LoadSettings(platform::FileSystem& files);
// Replaces the file as a whole; false when it could not be stored.
bool SaveSettings(platform::FileSystem& files, const Settings& settings);

}  // namespace rolvi::shell
