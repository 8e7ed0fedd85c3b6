// The whole number by which the desktop program enlarges its windows: ROLVI_SCALE when set,
// else what the desktop's settings or the display's density call for, as far as the window
// fits on the screen. The inputs are plain values, so the choice is tested without a display.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/surface.h"

namespace rolvi::platform::sdl {

inline constexpr int kMaxScale = 16;
// The density at which one of the program's pixels is one screen pixel.
inline constexpr double kBaseDpi = 96.0;

struct ScaleSources {
  std::optional<std::string_view> rolvi_scale;  // the ROLVI_SCALE variable, when set
  std::optional<std::string_view> gdk_scale;    // the GDK_SCALE variable, when set
  std::optional<double> xft_dpi;                // Xft.dpi of the X resource database
  std::optional<double> display_dpi;            // the display's density as SDL measures it
  Size screen;                                  // the screen in physical pixels; zero when unknown
  Size window;  // the smallest window the program needs, in its own pixels
};

enum class ScaleSource { kNone, kRolviScale, kGdkScale, kXftDpi, kDisplayDpi };

struct ScaleChoice {
  int scale = 1;
  ScaleSource source = ScaleSource::kNone;
  // Set when ROLVI_SCALE holds something unusable; the variable is then ignored.
  std::string complaint;
};

// ROLVI_SCALE decides when it is a whole number from 1 to kMaxScale. Otherwise the first of
// GDK_SCALE, Xft.dpi and the display's DPI that is present and sensible decides, and the
// result shrinks until `window` times the scale fits on `screen`.
ScaleChoice ChooseScale(const ScaleSources& sources);

// A whole number from 1 to kMaxScale written in decimal digits only, or nothing.
std::optional<int> ParseScale(std::string_view text);
// The whole scale nearest to a density divided by 96 dpi (halfway rounds up), at least 1;
// nothing for a density that is not a positive number.
std::optional<int> ScaleForDpi(double dpi);
// The value of "Xft.dpi" in the text of an X resource database (lines "name:\tvalue").
std::optional<double> XftDpiFromResources(std::string_view resources);

// Screen pixels to the program's own: integer division rounding down, also below zero.
constexpr int ToLogical(int physical, int scale) {
  return physical >= 0 ? physical / scale : -((-physical + scale - 1) / scale);
}
// A rectangle of screen pixels as the smallest rectangle of the program's pixels covering it.
constexpr Rect ToLogical(const Rect& physical, int scale) {
  return Rect{ToLogical(physical.left, scale), ToLogical(physical.top, scale),
              -ToLogical(-physical.right, scale), -ToLogical(-physical.bottom, scale)};
}

}  // namespace rolvi::platform::sdl
