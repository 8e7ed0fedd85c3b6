// How colours look to eyes that lack one kind of cone, and how far apart two colours are:
// the dichromat simulations of Machado, Oliveira and Fernandes (2009) at severity 1.0, a
// greyscale view, CIELAB (D65) and the CIE76 and CIEDE2000 colour differences.
#pragma once

#include <array>
#include <string_view>

#include "platform/surface.h"

namespace rolvi::colour {

enum class Vision { kNormal, kProtanopia, kDeuteranopia, kTritanopia, kGreyscale };

inline constexpr std::array<Vision, 5> kVisions = {Vision::kNormal, Vision::kProtanopia,
                                                   Vision::kDeuteranopia, Vision::kTritanopia,
                                                   Vision::kGreyscale};

std::string_view VisionName(Vision vision);

// Linear-light RGB with sRGB primaries, components 0..1.
struct LinearRgb {
  double red = 0;
  double green = 0;
  double blue = 0;
};

struct Lab {
  double lightness = 0;
  double a = 0;
  double b = 0;
};

LinearRgb ToLinear(platform::Rgb colour);
platform::Rgb ToSrgb(LinearRgb colour);
// The colour as `vision` sees it, clamped to the displayable range. Greyscale keeps the
// luminance.
LinearRgb Simulate(Vision vision, LinearRgb colour);
Lab ToLab(LinearRgb colour);

double DeltaE76(const Lab& first, const Lab& second);
double DeltaE2000(const Lab& first, const Lab& second);

}  // namespace rolvi::colour
