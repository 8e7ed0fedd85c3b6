#include "icon.h"

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

Bytes IconPng(int size) {
  return EncodePng(IconArt(size), true);
}

}  // namespace rolvi::artgen
