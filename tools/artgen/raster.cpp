#include "raster.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace rolvi::artgen {

Color operator+(Color a, Color b) {
  return {a.r + b.r, a.g + b.g, a.b + b.b};
}
Color operator*(Color a, float k) {
  return {a.r * k, a.g * k, a.b * k};
}
Color operator*(Color a, Color b) {
  return {a.r * b.r, a.g * b.g, a.b * b.b};
}
Color Mix(Color a, Color b, float t) {
  return a * (1.f - t) + b * t;
}

float Clamp01(float v) {
  return std::clamp(v, 0.f, 1.f);
}

float SmoothStep(float edge0, float edge1, float v) {
  const float t = Clamp01((v - edge0) / (edge1 - edge0));
  return t * t * (3.f - 2.f * t);
}

namespace {

float SrgbToLinear(int v) {
  const float c = static_cast<float>(v) / 255.f;
  return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f);
}

std::uint8_t LinearToSrgb(float v) {
  const float c = Clamp01(v);
  const float s = c <= 0.0031308f ? c * 12.92f : 1.055f * std::pow(c, 1.f / 2.4f) - 0.055f;
  return static_cast<std::uint8_t>(std::lround(Clamp01(s) * 255.f));
}

}  // namespace

Color FromSrgb(int red, int green, int blue) {
  return {SrgbToLinear(red), SrgbToLinear(green), SrgbToLinear(blue)};
}

Color FromHex(std::uint32_t rgb) {
  return FromSrgb(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>(rgb & 0xFF));
}

Srgb8 ToSrgb8(Color c) {
  return {LinearToSrgb(c.r), LinearToSrgb(c.g), LinearToSrgb(c.b)};
}

Image::Image(int w, int h, Color fill, float fill_alpha)
    : width(w),
      height(h),
      pixels(static_cast<std::size_t>(w * h), fill),
      alpha(static_cast<std::size_t>(w * h), fill_alpha) {}

void Image::Blit(const Image& source, int x, int y) {
  for (int sy = 0; sy < source.height; ++sy) {
    for (int sx = 0; sx < source.width; ++sx) {
      const int dx = x + sx;
      const int dy = y + sy;
      if (dx < 0 || dy < 0 || dx >= width || dy >= height) continue;
      at(dx, dy) = source.at(sx, sy);
      alpha_at(dx, dy) = source.alpha_at(sx, sy);
    }
  }
}

Image Image::Crop(int x, int y, int w, int h) const {
  Image out(w, h, Color{}, 0.f);
  for (int cy = 0; cy < h; ++cy) {
    for (int cx = 0; cx < w; ++cx) {
      out.at(cx, cy) = at(x + cx, y + cy);
      out.alpha_at(cx, cy) = alpha_at(x + cx, y + cy);
    }
  }
  return out;
}

Shape Ellipse(float cx, float cy, float rx, float ry) {
  return {cx - rx, cy - ry, cx + rx, cy + ry, [=](float x, float y) {
            const float u = (x - cx) / rx;
            const float v = (y - cy) / ry;
            return u * u + v * v <= 1.f;
          }};
}

Shape Circle(float cx, float cy, float r) {
  return Ellipse(cx, cy, r, r);
}

Shape Box(float left, float top, float right, float bottom) {
  return {left, top, right, bottom,
          [=](float x, float y) { return x >= left && x < right && y >= top && y < bottom; }};
}

Shape RoundBox(float left, float top, float right, float bottom, float radius) {
  return {left, top, right, bottom, [=](float x, float y) {
            if (x < left || x >= right || y < top || y >= bottom) return false;
            const float dx = std::max({left + radius - x, 0.f, x - (right - radius)});
            const float dy = std::max({top + radius - y, 0.f, y - (bottom - radius)});
            return dx * dx + dy * dy <= radius * radius;
          }};
}

Shape Polygon(std::vector<Point> points) {
  Shape s{1e9f, 1e9f, -1e9f, -1e9f, nullptr};
  for (const Point& p : points) {
    s.left = std::min(s.left, p.x);
    s.top = std::min(s.top, p.y);
    s.right = std::max(s.right, p.x);
    s.bottom = std::max(s.bottom, p.y);
  }
  s.contains = [pts = std::move(points)](float x, float y) {
    bool inside = false;
    const std::size_t n = pts.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
      const Point& a = pts[i];
      const Point& b = pts[j];
      if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
        inside = !inside;
      }
    }
    return inside;
  };
  return s;
}

Shape Capsule(Point a, Point b, float r) {
  return {std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r,
          std::max(a.y, b.y) + r, [=](float x, float y) {
            const float vx = b.x - a.x;
            const float vy = b.y - a.y;
            const float len2 = vx * vx + vy * vy;
            float t = len2 > 0.f ? ((x - a.x) * vx + (y - a.y) * vy) / len2 : 0.f;
            t = Clamp01(t);
            const float dx = x - (a.x + t * vx);
            const float dy = y - (a.y + t * vy);
            return dx * dx + dy * dy <= r * r;
          }};
}

Shape Intersect(Shape a, Shape b) {
  Shape s{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom), nullptr};
  s.contains = [ca = std::move(a.contains), cb = std::move(b.contains)](float x, float y) {
    return ca(x, y) && cb(x, y);
  };
  return s;
}

Shape Subtract(Shape a, Shape b) {
  Shape s{a.left, a.top, a.right, a.bottom, nullptr};
  s.contains = [ca = std::move(a.contains), cb = std::move(b.contains)](float x, float y) {
    return ca(x, y) && !cb(x, y);
  };
  return s;
}

Shape Union(Shape a, Shape b) {
  Shape s{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom), nullptr};
  s.contains = [ca = std::move(a.contains), cb = std::move(b.contains)](float x, float y) {
    return ca(x, y) || cb(x, y);
  };
  return s;
}

Shader Solid(Color c) {
  return [c](float, float) { return c; };
}

Canvas::Canvas(int width, int height, int samples_per_side, Color background,
               float background_alpha)
    : width_(width),
      height_(height),
      scale_(samples_per_side),
      samples_(static_cast<std::size_t>(width * height * samples_per_side * samples_per_side),
               background),
      coverage_(samples_.size(), background_alpha) {}

Canvas::Canvas(const Image& base, int samples_per_side)
    : Canvas(base.width, base.height, samples_per_side, Color{}, 1.f) {
  const int sw = width_ * scale_;
  for (int sy = 0; sy < height_ * scale_; ++sy) {
    for (int sx = 0; sx < sw; ++sx) {
      const std::size_t i = static_cast<std::size_t>(sy * sw + sx);
      samples_[i] = base.at(sx / scale_, sy / scale_);
      coverage_[i] = base.alpha_at(sx / scale_, sy / scale_);
    }
  }
}

template <typename Visit>
void Canvas::ForEachSample(const Shape& shape, Visit&& visit) {
  const int sw = width_ * scale_;
  const int sh = height_ * scale_;
  const float k = static_cast<float>(scale_);
  const int x0 = std::max(0, static_cast<int>(std::floor(shape.left * k)) - 1);
  const int y0 = std::max(0, static_cast<int>(std::floor(shape.top * k)) - 1);
  const int x1 = std::min(sw, static_cast<int>(std::ceil(shape.right * k)) + 1);
  const int y1 = std::min(sh, static_cast<int>(std::ceil(shape.bottom * k)) + 1);
  for (int sy = y0; sy < y1; ++sy) {
    const float y = (static_cast<float>(sy) + 0.5f) / k;
    for (int sx = x0; sx < x1; ++sx) {
      const float x = (static_cast<float>(sx) + 0.5f) / k;
      if (!shape.contains(x, y)) continue;
      visit(static_cast<std::size_t>(sy * sw + sx), x, y);
    }
  }
}

void Canvas::Fill(const Shape& shape, const Shader& shader, float opacity) {
  if (opacity <= 0.f) return;
  ForEachSample(shape, [&](std::size_t i, float x, float y) {
    samples_[i] = Mix(samples_[i], shader(x, y), opacity);
    coverage_[i] = coverage_[i] + opacity * (1.f - coverage_[i]);
  });
}

void Canvas::Modify(const Shape& shape, const std::function<Color(float, float, Color)>& fn) {
  ForEachSample(shape,
                [&](std::size_t i, float x, float y) { samples_[i] = fn(x, y, samples_[i]); });
}

Image Canvas::Resolve() const {
  Image out(width_, height_, Color{}, 0.f);
  const int sw = width_ * scale_;
  const float n = static_cast<float>(scale_ * scale_);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      Color sum;
      float cover = 0.f;
      for (int j = 0; j < scale_; ++j) {
        for (int i = 0; i < scale_; ++i) {
          const std::size_t idx = static_cast<std::size_t>((y * scale_ + j) * sw + x * scale_ + i);
          sum = sum + samples_[idx] * coverage_[idx];
          cover += coverage_[idx];
        }
      }
      out.at(x, y) = cover > 0.f ? sum * (1.f / cover) : Color{};
      out.alpha_at(x, y) = cover / n;
    }
  }
  return out;
}

float Lambert(float nx, float ny, float nz) {
  // Light from the upper left, a little in front.
  constexpr float lx = -0.52f;
  constexpr float ly = -0.62f;
  constexpr float lz = 0.59f;
  const float len = std::sqrt(nx * nx + ny * ny + nz * nz);
  if (len <= 0.f) return 0.f;
  return std::max(0.f, (nx * lx + ny * ly + nz * lz) / len);
}

Color Lit(Color base, float light) {
  if (light <= 1.f) return base * std::max(light, 0.f);
  return Mix(base, Color{1.f, 1.f, 1.f}, Clamp01(light - 1.f));
}

}  // namespace rolvi::artgen
