#include "shell/settings.h"

#include <array>

namespace rolvi::shell {
namespace {

constexpr std::string_view kBallSymbols = "ball-symbols";
// Far more than the few lines there are; a larger file is not one of ours.
constexpr std::size_t kLargestFile = 4096;

std::optional<bool> ParseSwitch(std::string_view value) {
  if (value == "1") return true;
  if (value == "0") return false;
  return std::nullopt;
}

bool IsPlainText(char c) {
  return c == '\t' || (c >= ' ' && c <= '~');
}

}  // namespace

std::optional<Settings> ParseSettings(std::span<const std::uint8_t> text) {
  if (text.size() > kLargestFile) return std::nullopt;
  const std::string_view all(reinterpret_cast<const char*>(text.data()), text.size());
  Settings settings;
  std::size_t start = 0;
  while (start < all.size()) {
    std::size_t end = all.find('\n', start);
    if (end == std::string_view::npos) end = all.size();
    std::string_view line = all.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    for (const char c : line) {
      if (!IsPlainText(c)) return std::nullopt;
    }
    if (line.empty() || line.front() == '#') continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0) return std::nullopt;
    const std::string_view name = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    if (name == kBallSymbols) {
      const std::optional<bool> on = ParseSwitch(value);
      if (!on) return std::nullopt;
      settings.ball_symbols = *on;
    }
  }
  return settings;
}

std::string FormatSettings(const Settings& settings) {
  std::string text = "# Color rolvi settings\n";
  text.append(kBallSymbols).append(settings.ball_symbols ? "=1\n" : "=0\n");
  return text;
}

Settings LoadSettings(platform::FileSystem& files) {
  const platform::FileHandle file = files.OpenForReading(kSettingsFileName);
  if (!file) return {};
  // One byte more than the largest file, so that a longer one is seen to be too long.
  std::array<std::uint8_t, kLargestFile + 1> buffer{};
  std::size_t size = 0;
  while (size < buffer.size()) {
    const std::size_t read = file->Read(std::span(buffer).subspan(size));
    if (read == 0) break;
    size += read;
  }
  return ParseSettings(std::span(buffer).first(size)).value_or(Settings{});
}

bool SaveSettings(platform::FileSystem& files, const Settings& settings) {
  const std::string text = FormatSettings(settings);
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                                            text.size());
  return files.ReplaceAtomically(kSettingsFileName, bytes) == platform::FileError::kNone;
}

}  // namespace rolvi::shell
