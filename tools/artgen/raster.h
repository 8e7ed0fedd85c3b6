// Supersampled true-colour drawing for the artwork generator: linear-light colours, an image
// type, and a canvas that paints shapes at several samples per pixel and box-filters them
// down, which gives every edge its anti-aliasing.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace rolvi::artgen {

// Linear-light RGB; components 0..1 (highlights may exceed 1 until they are clamped).
struct Color {
  float r = 0.f;
  float g = 0.f;
  float b = 0.f;
};

Color operator+(Color a, Color b);
Color operator*(Color a, float k);
Color operator*(Color a, Color b);
Color Mix(Color a, Color b, float t);
// From and to 8-bit sRGB.
Color FromSrgb(int red, int green, int blue);
Color FromHex(std::uint32_t rgb);
struct Srgb8 {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Srgb8&, const Srgb8&) = default;
};
Srgb8 ToSrgb8(Color c);

float Clamp01(float v);
float SmoothStep(float edge0, float edge1, float v);

// A true-colour picture with coverage (alpha, straight, 0..1) per pixel.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<Color> pixels;
  std::vector<float> alpha;

  Image() = default;
  Image(int w, int h, Color fill, float fill_alpha = 1.f);
  Color& at(int x, int y) { return pixels[static_cast<std::size_t>(y * width + x)]; }
  const Color& at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
  float& alpha_at(int x, int y) { return alpha[static_cast<std::size_t>(y * width + x)]; }
  float alpha_at(int x, int y) const { return alpha[static_cast<std::size_t>(y * width + x)]; }
  // Copies `source` (whole) with its top-left corner at (x, y), clipped.
  void Blit(const Image& source, int x, int y);
  Image Crop(int x, int y, int w, int h) const;
};

struct Point {
  float x = 0.f;
  float y = 0.f;
};

// A region of the plane in pixel units (pixel (i, j) covers [i, i+1) x [j, j+1)).
struct Shape {
  float left = 0.f;
  float top = 0.f;
  float right = 0.f;
  float bottom = 0.f;
  std::function<bool(float, float)> contains;
};

Shape Ellipse(float cx, float cy, float rx, float ry);
Shape Circle(float cx, float cy, float r);
Shape Box(float left, float top, float right, float bottom);
Shape RoundBox(float left, float top, float right, float bottom, float radius);
Shape Polygon(std::vector<Point> points);
// A stroke of width 2r from a to b with round ends.
Shape Capsule(Point a, Point b, float r);
Shape Intersect(Shape a, Shape b);
Shape Subtract(Shape a, Shape b);
Shape Union(Shape a, Shape b);

using Shader = std::function<Color(float, float)>;
Shader Solid(Color c);

class Canvas {
 public:
  Canvas(int width, int height, int samples_per_side, Color background, float background_alpha);
  // Starts from a picture, every sample taking its pixel's colour.
  Canvas(const Image& base, int samples_per_side);

  // Paints `shader` where `shape` contains the sample, blended with `opacity`.
  void Fill(const Shape& shape, const Shader& shader, float opacity = 1.f);
  // Rewrites existing samples inside `shape`: fn(x, y, current) gives the new colour.
  void Modify(const Shape& shape, const std::function<Color(float, float, Color)>& fn);

  Image Resolve() const;
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  template <typename Visit>
  void ForEachSample(const Shape& shape, Visit&& visit);

  int width_;
  int height_;
  int scale_;
  std::vector<Color> samples_;
  std::vector<float> coverage_;
};

// Lambert lighting from the upper left with a soft ambient term; `normal` need not be unit.
float Lambert(float nx, float ny, float nz);
// Base colour lit by `light` (0 dark .. 1 fully lit); values above 1 brighten towards white.
Color Lit(Color base, float light);

}  // namespace rolvi::artgen
