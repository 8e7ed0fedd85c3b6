#include "cells.h"

#include <array>
#include <cmath>

#include "palette.h"

namespace rolvi::artgen {
namespace {

constexpr int kSamples = 6;
constexpr float kCentreX = 18.f;
constexpr float kFloorY = 32.5f;
constexpr float kBallRadius = 12.5f;

struct BallPose {
  float lift;    // pixels above the floor
  float squash;  // > 0 wider and flatter, < 0 taller
};

// Rest, then the bounce: rising, top, falling, squashed as it lands, and at rest again. A
// moved ball keeps the last frame until its cell is drawn again, so it is the resting ball.
constexpr std::array<BallPose, 6> kBounce = {{
    {0.f, 0.f},
    {2.5f, -0.07f},
    {5.f, -0.02f},
    {2.5f, -0.07f},
    {0.f, 0.17f},
    {0.f, 0.f},
}};

Color BallShade(Color base, float u, float v) {
  const float nz = std::sqrt(std::max(0.f, 1.f - u * u - v * v));
  const float diffuse = Lambert(u, v, nz);
  // Half vector between the light and the viewer, for the highlights.
  const float hx = -0.30f;
  const float hy = -0.36f;
  const float hz = 0.88f;
  const float n_dot_h = std::max(0.f, u * hx + v * hy + nz * hz);
  const float specular = std::pow(n_dot_h, 90.f) * 1.6f;
  const float sheen = std::pow(n_dot_h, 9.f) * 0.22f;
  // Light thrown back from the cell face onto the lower rim.
  const float bounce = 0.22f * SmoothStep(0.1f, 0.95f, v) * (1.f - nz);
  Color c = base * (0.07f + 1.0f * std::pow(diffuse, 1.4f) + bounce);
  c = c + Mix(base, Color{1.f, 1.f, 1.f}, 0.6f) * sheen;
  c = Mix(c, Color{1.f, 1.f, 1.f}, Clamp01(specular));
  return c;
}

void DrawBall(Canvas& canvas, Color base, float cx, float cy, float rx, float ry, float opacity) {
  canvas.Fill(
      Ellipse(cx, cy, rx, ry),
      [=](float x, float y) { return BallShade(base, (x - cx) / rx, (y - cy) / ry); }, opacity);
}

void DrawShadow(Canvas& canvas, float cx, float cy, float rx, float ry, float strength) {
  const Shape area = Intersect(Ellipse(cx, cy, rx, ry), Box(2.f, 2.f, 34.f, 34.f));
  canvas.Modify(area, [=](float x, float y, Color current) {
    const float u = (x - cx) / rx;
    const float v = (y - cy) / ry;
    const float d = Clamp01(1.f - (u * u + v * v));
    return current * (1.f - strength * SmoothStep(0.f, 0.8f, d));
  });
}

Image BouncingBall(Color base, BallPose pose) {
  Canvas canvas(EmptyTile(), kSamples);
  const float rx = kBallRadius * (1.f + pose.squash);
  const float ry = kBallRadius * (1.f - pose.squash);
  const float cy = kFloorY - ry - pose.lift;
  const float shrink = 1.f - pose.lift / 16.f;
  DrawShadow(canvas, kCentreX + 1.5f, kFloorY - 0.2f, rx * 0.95f * shrink, 3.f * shrink,
             0.55f * shrink);
  DrawBall(canvas, base, kCentreX, cy, rx, ry, 1.f);
  return canvas.Resolve();
}

Image CentredBall(Color base, float radius, float cy) {
  Canvas canvas(EmptyTile(), kSamples);
  DrawShadow(canvas, kCentreX + 1.f, cy + radius - 0.4f, radius * 0.9f, radius * 0.3f, 0.45f);
  DrawBall(canvas, base, kCentreX, cy, radius, radius, 1.f);
  return canvas.Resolve();
}

// A shattering ball: shards flying outwards around a flash; `stage` 0 the burst, 1 fading.
Image Burst(Color base, int stage) {
  Canvas canvas(EmptyTile(), kSamples);
  const float cx = kCentreX;
  const float cy = 19.f;
  const float fade = stage == 0 ? 1.f : 0.8f;
  if (stage == 0) {
    canvas.Fill(
        Circle(cx, cy, 8.5f),
        [=](float x, float y) {
          const float d = std::hypot(x - cx, y - cy) / 8.5f;
          return Mix(Lit(base, 1.75f), base * 0.9f, SmoothStep(0.2f, 1.f, d));
        },
        0.9f);
  }
  const float ring = stage == 0 ? 10.5f : 13.5f;
  const float shard = stage == 0 ? 3.3f : 2.2f;
  for (int i = 0; i < 8; ++i) {
    const float angle = 0.3927f + 0.7854f * static_cast<float>(i) + (stage == 0 ? 0.f : 0.2f);
    const float r = ring + ((i % 2) != 0 ? 1.2f : -0.8f);
    const float sx = cx + r * std::cos(angle);
    const float sy = cy + r * std::sin(angle) * 0.92f;
    const float sr = shard * ((i % 3) == 0 ? 1.f : 0.8f);
    DrawBall(canvas, base, sx, sy, sr, sr, fade);
  }
  // Sparkles between the shards.
  const float spark = stage == 0 ? 6.f : 11.f;
  for (int i = 0; i < 4; ++i) {
    const float angle = 0.7854f * static_cast<float>(2 * i) + 0.1f;
    const float px = cx + spark * std::cos(angle);
    const float py = cy + spark * std::sin(angle);
    const float arm = stage == 0 ? 2.6f : 1.6f;
    const Color white{1.f, 1.f, 1.f};
    canvas.Fill(Capsule({px - arm, py}, {px + arm, py}, 0.45f), Solid(white), 0.9f * fade);
    canvas.Fill(Capsule({px, py - arm}, {px, py + arm}, 0.45f), Solid(white), 0.9f * fade);
  }
  return canvas.Resolve();
}

}  // namespace

Image EmptyTile() {
  const Color face_top = FromSrgb(196, 200, 207);
  const Color face_bottom = FromSrgb(170, 174, 183);
  const Color light_outer = FromSrgb(246, 248, 252);
  const Color light_inner = FromSrgb(222, 225, 231);
  const Color dark_outer = FromSrgb(78, 80, 88);
  const Color dark_inner = FromSrgb(124, 127, 136);
  Image tile(kTileSize, kTileSize, Color{});
  constexpr int last = kTileSize - 1;
  for (int y = 0; y < kTileSize; ++y) {
    for (int x = 0; x < kTileSize; ++x) {
      // Distance to the lit edges (top, left) and to the shaded ones (bottom, right); the
      // corners split along the diagonals.
      const int lit = std::min(x, y);
      const int shaded = std::min(last - x, last - y);
      Color c = Mix(face_top, face_bottom, static_cast<float>(y - 2) / 31.f);
      if (shaded < lit && shaded < 2) {
        c = shaded == 0 ? dark_outer : dark_inner;
      } else if (lit < 2 && lit <= shaded) {
        c = lit == 0 ? light_outer : light_inner;
      }
      tile.at(x, y) = c;
    }
  }
  return tile;
}

Image CellTileArt(int colour, int frame) {
  if (colour == 0) return EmptyTile();
  const Color base = BallBase(colour);
  if (frame < 6) return BouncingBall(base, kBounce[static_cast<std::size_t>(frame)]);
  if (frame == 6) return CentredBall(base, 6.5f, 18.5f);
  if (frame == 7) return CentredBall(base, 9.5f, 19.5f);
  return Burst(base, frame - 8);
}

}  // namespace rolvi::artgen
