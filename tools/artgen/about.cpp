#include "about.h"

#include <array>
#include <cmath>

#include "raster.h"

namespace rolvi::artgen {
namespace {

// Table positions of the four greys: white, grey 170 (three entries share it), 85, black.
constexpr std::uint8_t kWhite = 0;
constexpr std::uint8_t kLight = 1;
constexpr std::uint8_t kDark = 4;
constexpr std::uint8_t kBlack = 5;

Color Grey(float v) {
  return {v, v, v};
}

// A ball with a black ring around it, so that overlapping balls stay apart.
void GlossyBall(Canvas& c, float cx, float cy, float r) {
  c.Fill(Circle(cx, cy, r + 1.2f), Solid(Color{}));
  c.Fill(Circle(cx, cy, r), [=](float x, float y) {
    const float u = (x - cx) / r;
    const float v = (y - cy) / r;
    const float nz = std::sqrt(std::max(0.f, 1.f - u * u - v * v));
    const float d = Lambert(u, v, nz);
    const float specular = std::pow(std::max(0.f, -0.3f * u - 0.36f * v + 0.88f * nz), 60.f);
    return Lit(Grey(0.45f), 0.12f + 1.1f * d + 1.5f * specular);
  });
}

}  // namespace

std::vector<Srgb8> AboutPictureTable() {
  return {{255, 255, 255}, {170, 170, 170}, {170, 170, 170},
          {170, 170, 170}, {85, 85, 85},    {0, 0, 0}};
}

std::vector<Srgb8> AboutMaskTable() {
  return {{0, 0, 0}, {255, 255, 255}};
}

AboutArt BuildAboutArt() {
  Canvas c(kAboutWidth, kAboutHeight, 6, Color{}, 0.f);
  // Five balls in a row, the middle one crowned: the game in one picture.
  GlossyBall(c, 9.f, 40.f, 5.5f);
  GlossyBall(c, 20.5f, 36.f, 7.f);
  GlossyBall(c, 46.5f, 36.f, 7.f);
  GlossyBall(c, 58.f, 40.f, 5.5f);
  GlossyBall(c, 33.5f, 32.f, 11.f);
  const float cx = 33.5f;
  const float top = 4.f;
  const Shader gold = [=](float x, float y) {
    const float u = (x - cx) / 10.f;
    return Lit(Grey(0.55f), 0.35f + 0.9f * Lambert(u, (y - 14.f) / 20.f, 1.f));
  };
  c.Fill(Polygon({{cx - 10.f, 21.f},
                  {cx - 10.5f, top + 3.f},
                  {cx - 5.f, top + 10.f},
                  {cx, top},
                  {cx + 5.f, top + 10.f},
                  {cx + 10.5f, top + 3.f},
                  {cx + 10.f, 21.f}}),
         gold);
  c.Fill(Box(cx - 10.f, 17.f, cx + 10.f, 21.f), [=](float x, float) {
    return Lit(Grey(0.7f), 0.6f + 0.5f * Lambert((x - cx) / 10.f, 0.f, 1.f));
  });
  for (const float jx : {cx - 5.5f, cx, cx + 5.5f})
    c.Fill(Circle(jx, 19.f, 1.2f), Solid(Grey(0.f)));
  for (const Point tip :
       {Point{cx - 10.5f, top + 2.5f}, Point{cx, top - 0.5f}, Point{cx + 10.5f, top + 2.5f}}) {
    c.Fill(Circle(tip.x, tip.y, 1.6f), Solid(Grey(1.f)));
  }
  const Image art = c.Resolve();

  // Four levels, ordered dither between neighbouring levels for the soft shading.
  constexpr std::array<int, 16> bayer = {0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};
  constexpr std::array<std::uint8_t, 4> levels = {kBlack, kDark, kLight, kWhite};
  AboutArt out;
  out.picture = {kAboutWidth, kAboutHeight,
                 std::vector<std::uint8_t>(kAboutWidth * kAboutHeight, kBlack)};
  out.mask = {kAboutWidth, kAboutHeight, std::vector<std::uint8_t>(kAboutWidth * kAboutHeight, 1)};
  for (int y = 0; y < kAboutHeight; ++y) {
    for (int x = 0; x < kAboutWidth; ++x) {
      if (art.alpha_at(x, y) < 0.5f) continue;
      out.mask.at(x, y) = 0;
      const float v = static_cast<float>(ToSrgb8(art.at(x, y)).g) / 255.f * 3.f;
      const float threshold =
          (static_cast<float>(bayer[static_cast<std::size_t>((y % 4) * 4 + x % 4)]) + 0.5f) / 16.f;
      const int level =
          std::min(3, static_cast<int>(v) + ((v - std::floor(v)) > threshold ? 1 : 0));
      out.picture.at(x, y) = levels[static_cast<std::size_t>(level)];
    }
  }
  return out;
}

}  // namespace rolvi::artgen
