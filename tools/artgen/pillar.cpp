#include "pillar.h"

#include <algorithm>
#include <cmath>

namespace rolvi::artgen {
namespace {

constexpr int kFlutes = 7;

Color Stone() {
  return FromHex(0xD8CFBE);
}

// Shading across a fluted cylinder: u -1..1 from the left edge to the right.
Color ShaftShade(float u) {
  const float across = std::clamp(u, -0.999f, 0.999f);
  float nx = across;
  // Each flute is a shallow groove that turns the surface normal back and forth.
  const float phase = (across + 1.f) * 0.5f * static_cast<float>(kFlutes);
  const float inside = phase - std::floor(phase);
  const bool in_margin = across < -0.86f || across > 0.86f;
  if (!in_margin) nx += 0.55f * std::sin((inside - 0.5f) * 3.14159f) * -1.f;
  const float nz = std::sqrt(std::max(0.05f, 1.f - across * across));
  const float light = 0.16f + 1.02f * Lambert(nx, -0.15f, nz);
  Color c = Lit(Stone(), light);
  // The fillets between flutes catch a thin highlight.
  if (!in_margin && (inside < 0.09f || inside > 0.91f)) c = c * 1.12f;
  return c;
}

Color Darken(Color c, float k) {
  return c * k;
}

}  // namespace

Image PillarRow() {
  Canvas canvas(kPillarWidth, 1, 8, Color{}, 1.f);
  const float half = kPillarWidth * 0.5f - 1.f;
  const float centre = kPillarWidth * 0.5f;
  canvas.Fill(Box(centre - half, 0.f, centre + half, 1.f),
              [=](float x, float) { return ShaftShade((x - centre) / half); });
  return canvas.Resolve();
}

Image PillarArt() {
  const Image row = PillarRow();
  Image pillar(kPillarWidth, kPillarHeight, Color{});
  for (int y = 0; y < kPillarHeight; ++y)
    pillar.Blit(row, 0, y);
  return pillar;
}

Image FootPlateArt() {
  Canvas canvas(kFootWidth, kFootHeight, 6, Color{}, 1.f);
  const float centre = kFootWidth * 0.5f;
  // A rounded torus moulding on top of a square slab.
  canvas.Fill(RoundBox(3.f, 0.f, kFootWidth - 3.f, 4.f, 1.8f), [=](float x, float y) {
    const float u = (x - centre) / (centre - 3.f);
    const float v = (y - 2.f) / 2.f;
    return Lit(Stone(), 0.14f + 1.05f * Lambert(u * 0.6f, v, 1.f));
  });
  canvas.Fill(Box(0.5f, 4.f, kFootWidth - 0.5f, kFootHeight), [=](float x, float y) {
    const float u = (x - centre) / centre;
    Color c = Lit(Stone(), 0.2f + 0.8f * Lambert(u * 0.35f, 0.f, 1.f));
    if (y < 5.f) c = Lit(Stone(), 1.18f);
    if (y > kFootHeight - 1.f) c = Darken(c, 0.45f);
    return c;
  });
  return canvas.Resolve();
}

void DrawCapital(Canvas& canvas, int shaft_left, int height) {
  const float centre = static_cast<float>(shaft_left) + kPillarWidth * 0.5f;
  const float shaft_half = kPillarWidth * 0.5f - 1.f;
  const float base = static_cast<float>(height - kShaftRowsInFigure);
  const float top = base - kCapitalHeight;
  // Echinus: a curved flare from the shaft out to the abacus.
  const float flare_top = top + 5.f;
  const float abacus_half = shaft_half + 5.f;
  canvas.Fill(Box(centre - abacus_half, flare_top, centre + abacus_half, base),
              [=](float x, float y) {
                const float t = (base - y) / (base - flare_top);  // 0 at the shaft, 1 at the top
                const float half = shaft_half + (abacus_half - 1.f - shaft_half) * t * t;
                const float u = (x - centre) / half;
                if (std::fabs(u) > 1.f) return Color{};
                const float nz = std::sqrt(std::max(0.05f, 1.f - u * u));
                return Lit(Stone(), 0.14f + 1.04f * Lambert(u, -0.7f * t, nz));
              });
  // Abacus: a flat slab with a lit top edge and a shaded underside.
  canvas.Fill(Box(centre - abacus_half, top, centre + abacus_half, flare_top),
              [=](float x, float y) {
                const float u = (x - centre) / abacus_half;
                Color c = Lit(Stone(), 0.22f + 0.86f * Lambert(u * 0.4f, 0.f, 1.f));
                if (y < top + 1.f) c = Lit(Stone(), 1.22f);
                if (y > flare_top - 1.f) c = c * 0.55f;
                return c;
              });
}

void PutShaftRows(Image& figure, int shaft_left) {
  const Image row = PillarRow();
  for (int y = figure.height - kShaftRowsInFigure; y < figure.height; ++y) {
    for (int x = 0; x < figure.width; ++x)
      figure.at(x, y) = Color{};
    figure.Blit(row, shaft_left, y);
  }
}

}  // namespace rolvi::artgen
