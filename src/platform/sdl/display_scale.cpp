#include "platform/sdl/display_scale.h"

#include <charconv>
#include <cmath>

namespace rolvi::platform::sdl {
namespace {

// How much of a bad ROLVI_SCALE value the complaint quotes.
constexpr std::size_t kQuotedLength = 40;

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// The largest scale up to `wanted` at which the window still fits on the screen.
int FitOnScreen(int wanted, Size window, Size screen) {
  int scale = wanted;
  while (scale > 1 && ((screen.width > 0 && window.width * scale > screen.width) ||
                       (screen.height > 0 && window.height * scale > screen.height))) {
    --scale;
  }
  return scale;
}

}  // namespace

std::optional<int> ParseScale(std::string_view text) {
  if (text.empty() || text.size() > 6) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > kMaxScale) return std::nullopt;
  return value;
}

std::optional<int> ScaleForDpi(double dpi) {
  if (!std::isfinite(dpi) || dpi <= 0.0) return std::nullopt;
  // Halfway rounds up: a 150 % desktop (144 dpi) wants its windows twice as large rather
  // than small, and a measured 192-dpi panel that reads a little short still gets 2.
  const double factor = std::floor(dpi / kBaseDpi + 0.5);
  if (factor < 1.0) return 1;
  if (factor > kMaxScale) return kMaxScale;
  return static_cast<int>(factor);
}

std::optional<double> XftDpiFromResources(std::string_view resources) {
  while (!resources.empty()) {
    const auto end = resources.find('\n');
    const std::string_view line = resources.substr(0, end);
    resources = end == std::string_view::npos ? std::string_view{} : resources.substr(end + 1);
    const auto colon = line.find(':');
    if (colon == std::string_view::npos || Trim(line.substr(0, colon)) != "Xft.dpi") continue;
    const std::string_view value = Trim(line.substr(colon + 1));
    double dpi = 0.0;
    const auto [rest, error] = std::from_chars(value.data(), value.data() + value.size(), dpi);
    if (error == std::errc{} && rest == value.data() + value.size()) return dpi;
  }
  return std::nullopt;
}

ScaleChoice ChooseScale(const ScaleSources& sources) {
  ScaleChoice choice;
  if (sources.rolvi_scale) {
    if (const auto scale = ParseScale(*sources.rolvi_scale)) {
      choice.scale = *scale;
      choice.source = ScaleSource::kRolviScale;
      return choice;
    }
    std::string_view quoted = *sources.rolvi_scale;
    const bool cut = quoted.size() > kQuotedLength;
    if (cut) quoted = quoted.substr(0, kQuotedLength);
    choice.complaint = "ROLVI_SCALE=\"" + std::string(quoted) + (cut ? "...\"" : "\"") +
                       " is not a whole number from 1 to " + std::to_string(kMaxScale) +
                       "; it is ignored";
  }

  std::optional<int> wanted;
  if (sources.gdk_scale) {
    wanted = ParseScale(Trim(*sources.gdk_scale));
    if (wanted) choice.source = ScaleSource::kGdkScale;
  }
  if (!wanted && sources.xft_dpi) {
    wanted = ScaleForDpi(*sources.xft_dpi);
    if (wanted) choice.source = ScaleSource::kXftDpi;
  }
  if (!wanted && sources.display_dpi) {
    wanted = ScaleForDpi(*sources.display_dpi);
    if (wanted) choice.source = ScaleSource::kDisplayDpi;
  }
  choice.scale = FitOnScreen(wanted.value_or(1), sources.window, sources.screen);
  return choice;
}

}  // namespace rolvi::platform::sdl
