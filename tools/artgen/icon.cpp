#include "icon.h"

#include <algorithm>
#include <cmath>

#include "palette.h"

namespace rolvi::artgen {

Image IconArt(int size) {
  const float k = static_cast<float>(size) / 32.f;
  Canvas c(size, size, 6, Color{}, 0.f);
  const float cx = 16.f * k;
  const float cy = 19.5f * k;
  const float r = 12.f * k;
  const Color red = BallBase(2);
  c.Fill(Circle(cx, cy, r), [=](float x, float y) {
    const float u = (x - cx) / r;
    const float v = (y - cy) / r;
    const float nz = std::sqrt(std::max(0.f, 1.f - u * u - v * v));
    const float d = Lambert(u, v, nz);
    const float specular = std::pow(std::max(0.f, -0.3f * u - 0.36f * v + 0.88f * nz), 60.f);
    return Mix(red * (0.1f + 0.95f * d * d), Color{1.f, 1.f, 1.f}, Clamp01(1.5f * specular));
  });
  const Color gold = FromHex(0xE8B030);
  const Shader metal = [=](float x, float y) {
    const float u = (x - cx) / (9.f * k);
    const float v = (y - 8.f * k) / (12.f * k);
    const float d = Lambert(u, v, 1.f);
    return Lit(gold, 0.25f + 1.5f * d * d);
  };
  c.Fill(Polygon({{cx - 9.f * k, 11.5f * k},
                  {cx - 9.5f * k, 2.5f * k},
                  {cx - 4.5f * k, 7.f * k},
                  {cx, 1.f * k},
                  {cx + 4.5f * k, 7.f * k},
                  {cx + 9.5f * k, 2.5f * k},
                  {cx + 9.f * k, 11.5f * k}}),
         metal);
  c.Fill(Box(cx - 9.f * k, 11.f * k, cx + 9.f * k, 12.f * k), Solid(gold * 0.3f));
  c.Fill(Circle(cx, 9.f * k, 1.6f * k), Solid(BallBase(3)));
  return c.Resolve();
}

Bytes IconIco() {
  const Image art = IconArt(32);
  std::vector<Srgb8> opaque;
  std::vector<bool> transparent;
  for (std::size_t i = 0; i < art.pixels.size(); ++i) {
    transparent.push_back(art.alpha[i] < 0.5f);
    if (!transparent.back()) opaque.push_back(ToSrgb8(art.pixels[i]));
  }
  const std::vector<Srgb8> table = CompletePalette({{0, 0, 0}, {255, 255, 255}}, opaque, 16);
  IndexedImage image = Quantize(art, table);
  for (std::size_t i = 0; i < transparent.size(); ++i) {
    if (transparent[i]) image.indices[i] = 0;
  }
  return EncodeIco16(image, table, transparent);
}

Bytes IconPng(int size, PngRows rows) {
  return EncodePng(IconArt(size), true, rows);
}

Image MaskableIconArt(int size) {
  const float s = static_cast<float>(size);
  // The desk's teal, lighter towards the upper left where the icon's light comes from.
  const Color teal = FromHex(0x008080);
  Canvas tile(size, size, 2, teal, 1.f);
  tile.Fill(Box(0.f, 0.f, s, s), [=](float x, float y) {
    const float u = x / s - 0.3f;
    const float v = y / s - 0.25f;
    return Lit(teal, 0.95f - 0.55f * std::min(1.f, std::sqrt(u * u + v * v)));
  });
  // The picture's farthest points (the crown's tips, the ball's foot) lie 16.5 of its 32 units
  // from its centre; at 74 % they stay inside the safe circle of 40 % of the size.
  const int inner = static_cast<int>(std::lround(s * 0.74f));
  const float offset = (s - static_cast<float>(inner)) / 2.f;
  // A soft shadow where the ball stands.
  const float k = static_cast<float>(inner) / 32.f;
  tile.Fill(Ellipse(offset + 16.f * k, offset + 31.f * k, 9.f * k, 1.6f * k), Solid(teal * 0.25f),
            0.45f);
  Image out = tile.Resolve();
  const Image art = IconArt(inner);
  const int at = static_cast<int>(offset);
  for (int y = 0; y < art.height; ++y) {
    for (int x = 0; x < art.width; ++x) {
      const float a = Clamp01(art.alpha_at(x, y));
      Color& pixel = out.at(at + x, at + y);
      pixel = Mix(pixel, art.at(x, y), a);
    }
  }
  return out;
}

Bytes MaskableIconPng(int size) {
  return EncodePng(MaskableIconArt(size), false, PngRows::kFiltered);
}

}  // namespace rolvi::artgen
