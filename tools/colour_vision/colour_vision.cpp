#include "colour_vision.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace rolvi::colour {
namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

// Machado et al. 2009, severity 1.0, applied to linear RGB.
constexpr Matrix kProtanopia = {{{0.152286, 1.052583, -0.204868},
                                 {0.114503, 0.786281, 0.099216},
                                 {-0.003882, -0.048116, 1.051998}}};
constexpr Matrix kDeuteranopia = {{{0.367322, 0.860646, -0.227968},
                                   {0.280085, 0.672501, 0.047413},
                                   {-0.011820, 0.042940, 0.968881}}};
constexpr Matrix kTritanopia = {{{1.255528, -0.076749, -0.178779},
                                 {-0.078411, 0.930809, 0.147602},
                                 {0.004733, 0.691367, 0.303900}}};

double Clamp01(double v) {
  return std::clamp(v, 0.0, 1.0);
}

LinearRgb Apply(const Matrix& m, LinearRgb c) {
  return {Clamp01(m[0][0] * c.red + m[0][1] * c.green + m[0][2] * c.blue),
          Clamp01(m[1][0] * c.red + m[1][1] * c.green + m[1][2] * c.blue),
          Clamp01(m[2][0] * c.red + m[2][1] * c.green + m[2][2] * c.blue)};
}

double Luminance(LinearRgb c) {
  return 0.2126729 * c.red + 0.7151522 * c.green + 0.0721750 * c.blue;
}

double LabCurve(double t) {
  constexpr double kDelta = 6.0 / 29.0;
  return t > kDelta * kDelta * kDelta ? std::cbrt(t) : t / (3 * kDelta * kDelta) + 4.0 / 29.0;
}

double Degrees(double radians) {
  return radians * 180.0 / std::numbers::pi;
}

double Radians(double degrees) {
  return degrees * std::numbers::pi / 180.0;
}

// The hue angle in degrees, 0..360; 0 for a neutral colour.
double HueAngle(double a, double b) {
  if (a == 0 && b == 0) return 0;
  const double h = Degrees(std::atan2(b, a));
  return h < 0 ? h + 360 : h;
}

}  // namespace

std::string_view VisionName(Vision vision) {
  switch (vision) {
    case Vision::kNormal:
      return "normal";
    case Vision::kProtanopia:
      return "protanopia";
    case Vision::kDeuteranopia:
      return "deuteranopia";
    case Vision::kTritanopia:
      return "tritanopia";
    case Vision::kGreyscale:
      return "greyscale";
  }
  return "?";
}

LinearRgb ToLinear(platform::Rgb colour) {
  auto decode = [](std::uint8_t value) {
    const double v = value / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return {decode(colour.red), decode(colour.green), decode(colour.blue)};
}

platform::Rgb ToSrgb(LinearRgb colour) {
  auto encode = [](double v) {
    const double c = Clamp01(v);
    const double e = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
    return static_cast<std::uint8_t>(std::lround(e * 255));
  };
  return {encode(colour.red), encode(colour.green), encode(colour.blue)};
}

LinearRgb Simulate(Vision vision, LinearRgb colour) {
  switch (vision) {
    case Vision::kNormal:
      return colour;
    case Vision::kProtanopia:
      return Apply(kProtanopia, colour);
    case Vision::kDeuteranopia:
      return Apply(kDeuteranopia, colour);
    case Vision::kTritanopia:
      return Apply(kTritanopia, colour);
    case Vision::kGreyscale: {
      const double y = Clamp01(Luminance(colour));
      return {y, y, y};
    }
  }
  return colour;
}

Lab ToLab(LinearRgb c) {
  // sRGB to XYZ, relative to the D65 white.
  const double x = 0.4124564 * c.red + 0.3575761 * c.green + 0.1804375 * c.blue;
  const double y = Luminance(c);
  const double z = 0.0193339 * c.red + 0.1191920 * c.green + 0.9503041 * c.blue;
  const double fx = LabCurve(x / 0.95047);
  const double fy = LabCurve(y);
  const double fz = LabCurve(z / 1.08883);
  return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double DeltaE76(const Lab& first, const Lab& second) {
  return std::hypot(first.lightness - second.lightness, first.a - second.a, first.b - second.b);
}

double DeltaE2000(const Lab& first, const Lab& second) {
  const double c1 = std::hypot(first.a, first.b);
  const double c2 = std::hypot(second.a, second.b);
  const double mean_c7 = std::pow((c1 + c2) / 2, 7);
  const double g = 0.5 * (1 - std::sqrt(mean_c7 / (mean_c7 + std::pow(25.0, 7))));
  const double a1 = (1 + g) * first.a;
  const double a2 = (1 + g) * second.a;
  const double cp1 = std::hypot(a1, first.b);
  const double cp2 = std::hypot(a2, second.b);
  const double hp1 = HueAngle(a1, first.b);
  const double hp2 = HueAngle(a2, second.b);

  const double delta_l = second.lightness - first.lightness;
  const double delta_c = cp2 - cp1;
  double delta_h = 0;
  if (cp1 * cp2 != 0) {
    delta_h = hp2 - hp1;
    if (delta_h > 180) delta_h -= 360;
    if (delta_h < -180) delta_h += 360;
  }
  const double delta_big_h = 2 * std::sqrt(cp1 * cp2) * std::sin(Radians(delta_h / 2));

  const double mean_l = (first.lightness + second.lightness) / 2;
  const double mean_cp = (cp1 + cp2) / 2;
  double mean_h = hp1 + hp2;
  if (cp1 * cp2 != 0) {
    if (std::abs(hp1 - hp2) <= 180) {
      mean_h = (hp1 + hp2) / 2;
    } else {
      mean_h = hp1 + hp2 < 360 ? (hp1 + hp2 + 360) / 2 : (hp1 + hp2 - 360) / 2;
    }
  }
  const double t = 1 - 0.17 * std::cos(Radians(mean_h - 30)) +
                   0.24 * std::cos(Radians(2 * mean_h)) + 0.32 * std::cos(Radians(3 * mean_h + 6)) -
                   0.20 * std::cos(Radians(4 * mean_h - 63));
  const double delta_theta = 30 * std::exp(-std::pow((mean_h - 275) / 25, 2));
  const double mean_cp7 = std::pow(mean_cp, 7);
  const double rc = 2 * std::sqrt(mean_cp7 / (mean_cp7 + std::pow(25.0, 7)));
  const double l50 = (mean_l - 50) * (mean_l - 50);
  const double sl = 1 + 0.015 * l50 / std::sqrt(20 + l50);
  const double sc = 1 + 0.045 * mean_cp;
  const double sh = 1 + 0.015 * mean_cp * t;
  const double rt = -std::sin(Radians(2 * delta_theta)) * rc;
  const double l = delta_l / sl;
  const double c = delta_c / sc;
  const double h = delta_big_h / sh;
  return std::sqrt(l * l + c * c + h * h + rt * c * h);
}

}  // namespace rolvi::colour
