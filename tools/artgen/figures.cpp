#include "figures.h"

#include <algorithm>
#include <cmath>

#include "palette.h"
#include "pillar.h"

namespace rolvi::artgen {
namespace {

constexpr int kSamples = 5;
constexpr float kKingX = kKingShaftLeft + 22.5f;
constexpr float kPlayerX = kPlayerShaftLeft + 22.5f;

Color Velvet() {
  return FromHex(0xB01828);
}
Color Gown() {
  return FromHex(0xC89028);
}
Color Gold() {
  return FromHex(0xE8B030);
}
Color Skin() {
  return FromHex(0xF0BC96);
}
Color Ermine() {
  return FromHex(0xF4F2EA);
}
Color Tunic() {
  return FromHex(0x2E58D8);
}
Color Leather() {
  return FromHex(0x6A3818);
}
Color Steel() {
  return FromHex(0xC4CEDE);
}
Color Beard() {
  return FromHex(0xE0DCD4);
}
Color HairBrown() {
  return FromHex(0x7A4418);
}

// A surface that curves around a vertical axis at `cx` with half width `half`.
Shader Rounded(Color base, float cx, float half, float tilt = -0.25f) {
  return [=](float x, float) {
    const float u = std::clamp((x - cx) / half, -0.98f, 0.98f);
    const float nz = std::sqrt(1.f - u * u);
    return Lit(base, 0.16f + 1.0f * Lambert(u, tilt, nz));
  };
}

// Polished metal: a strong highlight band and dark reflections.
Shader Metal(Color base, float cx, float cy, float half) {
  return [=](float x, float y) {
    const float u = std::clamp((x - cx) / half, -0.98f, 0.98f);
    const float v = std::clamp((y - cy) / half, -0.98f, 0.98f) * 0.5f;
    const float nz = std::sqrt(std::max(0.05f, 1.f - u * u - v * v));
    const float d = Lambert(u, v, nz);
    return Lit(base, 0.22f + 1.55f * d * d);
  };
}

// A round, shaded blob such as a head, a hand or a jewel.
Shader Ball(Color base, float cx, float cy, float r, float specular = 0.f) {
  return [=](float x, float y) {
    const float u = (x - cx) / r;
    const float v = (y - cy) / r;
    const float nz = std::sqrt(std::max(0.f, 1.f - u * u - v * v));
    const float d = Lambert(u, v, nz);
    return Lit(base, 0.22f + 0.9f * d + specular * std::pow(d, 12.f));
  };
}

Shader ErmineFur(float cx, float half) {
  return [=](float x, float y) {
    const float u = std::clamp((x - cx) / half, -0.98f, 0.98f);
    const Color fur = Lit(Ermine(), 0.4f + 0.7f * Lambert(u, -0.3f, std::sqrt(1.f - u * u)));
    // The black tail tips, in a staggered grid.
    const float gx = x - cx + 100.f;
    const int row = static_cast<int>(std::floor(y / 4.f));
    const float shift = (row % 2 == 0) ? 0.f : 2.5f;
    const float fx = std::fmod(gx + shift, 5.f);
    const float fy = std::fmod(y, 4.f);
    if (fx > 2.f && fx < 3.f && fy > 1.2f && fy < 3.1f) return Color{0.01f, 0.01f, 0.01f};
    return fur;
  };
}

void Eye(Canvas& c, float x, float y, bool closed) {
  if (closed) {
    c.Fill(Capsule({x - 1.2f, y + 0.3f}, {x + 1.2f, y + 0.3f}, 0.35f), Solid(FromHex(0x3A2018)));
    return;
  }
  c.Fill(Ellipse(x, y, 0.95f, 1.05f), Solid(FromHex(0x201008)));
  c.Fill(Circle(x - 0.3f, y - 0.35f, 0.3f), Solid(FromHex(0xFFFFFF)), 0.8f);
}

// ---- the King -------------------------------------------------------------------------

struct KingPose {
  bool seated = false;
  bool regalia = true;  // crown and sceptre
};

void DrawKingCrown(Canvas& c, float cx, float top) {
  const float band = top + 7.f;
  c.Fill(Ellipse(cx, band + 0.5f, 6.5f, 5.f), Rounded(Velvet(), cx, 6.5f));
  c.Fill(Polygon({{cx - 7.5f, band + 4.5f},
                  {cx - 7.5f, top + 1.5f},
                  {cx - 3.8f, band - 1.5f},
                  {cx, top},
                  {cx + 3.8f, band - 1.5f},
                  {cx + 7.5f, top + 1.5f},
                  {cx + 7.5f, band + 4.5f}}),
         Metal(Gold(), cx, band, 7.5f));
  c.Fill(Box(cx - 7.5f, band + 1.f, cx + 7.5f, band + 4.5f), Metal(Gold(), cx, band - 2.f, 7.5f));
  c.Fill(Box(cx - 7.5f, band + 4.f, cx + 7.5f, band + 4.6f), Solid(Gold() * 0.35f));
  for (const float tip : {cx - 7.5f, cx + 7.5f})
    c.Fill(Circle(tip, top + 1.2f, 1.3f), Ball(Gold(), tip, top + 1.2f, 1.3f, 0.6f));
  c.Fill(Circle(cx, top - 0.3f, 1.5f), Ball(Gold(), cx, top - 0.3f, 1.5f, 0.6f));
  c.Fill(Ellipse(cx, band + 2.7f, 1.5f, 1.4f), Ball(BallBase(2), cx, band + 2.7f, 1.5f, 0.9f));
  for (const float jx : {cx - 4.5f, cx + 4.5f}) {
    c.Fill(Ellipse(jx, band + 2.7f, 1.1f, 1.1f), Ball(BallBase(3), jx, band + 2.7f, 1.1f, 0.9f));
  }
}

void DrawSceptre(Canvas& c, float cx) {
  const Point bottom{cx + 17.f, 68.f};
  const Point top{cx + 19.f, 17.f};
  c.Fill(Capsule(bottom, top, 1.1f), Metal(Gold(), cx + 18.f, 40.f, 1.4f));
  const float ox = top.x + 0.1f;
  c.Fill(Circle(ox, 13.8f, 2.8f), Ball(Gold(), ox, 13.8f, 2.8f, 0.8f));
  c.Fill(Capsule({ox, 7.f}, {ox, 11.5f}, 0.6f), Metal(Gold(), ox, 9.f, 0.8f));
  c.Fill(Capsule({ox - 1.9f, 8.6f}, {ox + 1.9f, 8.6f}, 0.6f), Metal(Gold(), ox, 9.f, 2.f));
  c.Fill(Circle(ox, 13.8f, 1.1f), Ball(BallBase(2), ox, 13.8f, 1.1f, 1.f));
  c.Fill(Box(top.x - 2.2f, 17.f, top.x + 2.2f, 18.4f), Metal(Gold(), top.x, 17.f, 2.2f));
}

void DrawKingHead(Canvas& c, float cx, float cy, bool sad) {
  // Hair at the sides, the face, then the beard over the chin.
  c.Fill(Ellipse(cx - 5.2f, cy - 0.5f, 2.4f, 4.f), Ball(Beard(), cx - 5.2f, cy - 0.5f, 3.f));
  c.Fill(Ellipse(cx + 5.2f, cy - 0.5f, 2.4f, 4.f), Ball(Beard(), cx + 5.2f, cy - 0.5f, 3.f));
  c.Fill(Ellipse(cx, cy, 5.6f, 6.6f), Ball(Skin(), cx - 0.5f, cy - 0.5f, 7.f));
  c.Fill(
      Intersect(Ellipse(cx, cy + 5.2f, 5.8f, 7.f), Box(cx - 7.f, cy + 1.8f, cx + 7.f, cy + 13.f)),
      Ball(Beard(), cx - 1.f, cy + 4.f, 8.f));
  c.Fill(Ellipse(cx - 1.9f, cy + 2.4f, 2.3f, 1.f), Solid(Beard() * 0.75f));
  c.Fill(Ellipse(cx + 1.9f, cy + 2.4f, 2.3f, 1.f), Solid(Beard() * 0.7f));
  c.Fill(Ellipse(cx + 0.2f, cy + 0.6f, 0.9f, 1.3f), Solid(Skin() * 0.7f));
  Eye(c, cx - 2.4f, cy - 1.3f, sad);
  Eye(c, cx + 2.4f, cy - 1.3f, sad);
  const float brow = sad ? 0.8f : -0.3f;
  c.Fill(Capsule({cx - 3.6f, cy - 3.f - brow}, {cx - 1.3f, cy - 3.3f + brow}, 0.45f),
         Solid(Beard() * 0.6f));
  c.Fill(Capsule({cx + 1.3f, cy - 3.3f + brow}, {cx + 3.6f, cy - 3.f - brow}, 0.45f),
         Solid(Beard() * 0.6f));
  if (sad) c.Fill(Ellipse(cx, cy - 5.2f, 4.f, 1.6f), Ball(Beard(), cx, cy - 5.f, 4.f));
}

void DrawStandingKing(Canvas& c, const KingPose& pose) {
  const float cx = kKingX;
  const float ground = kFigureHeight - kShaftRowsInFigure - kCapitalHeight;
  c.Fill(Ellipse(cx - 5.f, ground - 0.8f, 4.f, 2.f),
         Ball(Leather() * 0.6f, cx - 6.f, ground - 2.f, 4.f));
  c.Fill(Ellipse(cx + 5.f, ground - 0.8f, 4.f, 2.f),
         Ball(Leather() * 0.6f, cx + 4.f, ground - 2.f, 4.f));
  // Mantle, gown in its opening, ermine borders.
  c.Fill(Polygon({{cx - 12.f, 38.f},
                  {cx + 12.f, 38.f},
                  {cx + 20.f, ground - 1.f},
                  {cx - 20.f, ground - 1.f}}),
         Rounded(Velvet(), cx, 20.f));
  c.Fill(Polygon({{cx - 4.f, 42.f},
                  {cx + 4.f, 42.f},
                  {cx + 9.f, ground - 1.5f},
                  {cx - 9.f, ground - 1.5f}}),
         Rounded(Gown(), cx, 10.f));
  // Folds of the gown and a row of gold buttons.
  for (const float fold : {-4.5f, 4.5f}) {
    c.Fill(Polygon({{cx + fold * 0.3f, 50.f},
                    {cx + fold * 0.3f + 0.7f, 50.f},
                    {cx + fold + 0.7f, ground - 1.5f},
                    {cx + fold, ground - 1.5f}}),
           Solid(Gown() * 0.55f));
  }
  for (int i = 0; i < 5; ++i) {
    const float y = 47.f + 6.5f * static_cast<float>(i);
    c.Fill(Circle(cx, y, 1.1f), Ball(Gold(), cx - 0.3f, y - 0.3f, 1.2f, 0.8f));
  }
  c.Fill(Polygon({{cx - 6.5f, 42.f},
                  {cx - 3.5f, 42.f},
                  {cx - 8.f, ground - 1.f},
                  {cx - 11.5f, ground - 1.f}}),
         ErmineFur(cx, 20.f));
  c.Fill(Polygon({{cx + 3.5f, 42.f},
                  {cx + 6.5f, 42.f},
                  {cx + 11.5f, ground - 1.f},
                  {cx + 8.f, ground - 1.f}}),
         ErmineFur(cx, 20.f));
  c.Fill(Box(cx - 20.f, ground - 3.5f, cx + 20.f, ground - 1.f), ErmineFur(cx, 20.f));
  // The arm on the left rests on the waist; the other holds the sceptre.
  c.Fill(Capsule({cx - 10.f, 44.f}, {cx - 6.f, 57.f}, 3.3f), Rounded(Velvet(), cx - 8.f, 5.f));
  c.Fill(Capsule({cx - 7.f, 55.5f}, {cx - 5.f, 58.f}, 2.2f), ErmineFur(cx, 20.f));
  c.Fill(Circle(cx - 4.f, 60.f, 2.3f), Ball(Skin(), cx - 4.6f, 59.4f, 2.6f));
  c.Fill(Capsule({cx + 10.f, 44.f}, {cx + 15.f, 55.f}, 3.3f), Rounded(Velvet(), cx + 12.f, 5.f));
  c.Fill(Capsule({cx + 14.f, 53.f}, {cx + 16.f, 55.5f}, 2.2f), ErmineFur(cx, 20.f));
  if (pose.regalia) DrawSceptre(c, cx);
  c.Fill(Ellipse(cx + 17.5f, 58.f, 2.5f, 2.4f), Ball(Skin(), cx + 17.f, 57.4f, 2.7f));
  // Ermine cape over the shoulders, then the head.
  c.Fill(Ellipse(cx, 40.5f, 13.5f, 5.5f), ErmineFur(cx, 13.5f));
  DrawKingHead(c, cx, 28.f, false);
  if (pose.regalia) DrawKingCrown(c, cx, 12.5f);
}

void DrawSeatedKing(Canvas& c) {
  const float cx = kKingX;
  const float ground = kFigureHeight - kShaftRowsInFigure - kCapitalHeight;
  c.Fill(Ellipse(cx - 6.f, ground - 0.8f, 4.f, 2.f),
         Ball(Leather() * 0.6f, cx - 7.f, ground - 2.f, 4.f));
  c.Fill(Ellipse(cx + 6.f, ground - 0.8f, 4.f, 2.f),
         Ball(Leather() * 0.6f, cx + 5.f, ground - 2.f, 4.f));
  c.Fill(Polygon({{cx - 12.f, 50.f},
                  {cx + 12.f, 50.f},
                  {cx + 21.f, ground - 1.f},
                  {cx - 21.f, ground - 1.f}}),
         Rounded(Velvet(), cx, 21.f));
  // The lap and the gown hanging over the knees.
  c.Fill(Box(cx - 11.f, 68.f, cx + 11.f, ground - 1.5f), Rounded(Gown(), cx, 11.f));
  c.Fill(Ellipse(cx, 68.f, 13.f, 5.f), Rounded(Gown(), cx, 13.f, -0.9f));
  c.Fill(Box(cx - 0.5f, 70.f, cx + 0.5f, ground - 1.5f), Solid(Gown() * 0.4f));
  c.Fill(Box(cx - 21.f, ground - 3.5f, cx + 21.f, ground - 1.f), ErmineFur(cx, 21.f));
  // Arms down to the hands on the knees.
  c.Fill(Capsule({cx - 11.f, 55.f}, {cx - 10.f, 66.f}, 3.3f), Rounded(Velvet(), cx - 10.f, 5.f));
  c.Fill(Capsule({cx + 11.f, 55.f}, {cx + 10.f, 66.f}, 3.3f), Rounded(Velvet(), cx + 10.f, 5.f));
  c.Fill(Ellipse(cx - 9.f, 68.5f, 2.8f, 2.2f), Ball(Skin(), cx - 9.5f, 68.f, 3.f));
  c.Fill(Ellipse(cx + 9.f, 68.5f, 2.8f, 2.2f), Ball(Skin(), cx + 8.5f, 68.f, 3.f));
  c.Fill(Ellipse(cx, 52.f, 13.5f, 5.f), ErmineFur(cx, 13.5f));
  DrawKingHead(c, cx, 41.f, true);
}

Image RenderKing(const KingPose& pose) {
  Canvas c(kFigureWidth, kFigureHeight, kSamples, Color{}, 1.f);
  DrawCapital(c, kKingShaftLeft, kFigureHeight);
  if (pose.seated) {
    DrawSeatedKing(c);
  } else {
    DrawStandingKing(c, pose);
  }
  Image art = c.Resolve();
  PutShaftRows(art, kKingShaftLeft);
  return art;
}

// ---- the Player -----------------------------------------------------------------------

struct PlayerPose {
  bool crown = false;
  bool sword_raised = false;
};

void DrawSword(Canvas& c, Point hand, Point tip) {
  const float dx = tip.x - hand.x;
  const float dy = tip.y - hand.y;
  const float len = std::hypot(dx, dy);
  const float ux = dx / len;
  const float uy = dy / len;
  const Point guard{hand.x + ux * 2.6f, hand.y + uy * 2.6f};
  const Point pommel{hand.x - ux * 3.2f, hand.y - uy * 3.2f};
  // Blade: a lit edge and a shaded edge either side of the ridge.
  const Point base_l{guard.x - uy * 1.3f, guard.y + ux * 1.3f};
  const Point base_r{guard.x + uy * 1.3f, guard.y - ux * 1.3f};
  c.Fill(Polygon({base_l, {guard.x, guard.y}, tip}), Solid(Lit(Steel(), 1.25f)));
  c.Fill(Polygon({{guard.x, guard.y}, base_r, tip}), Solid(Lit(Steel(), 0.55f)));
  c.Fill(Capsule(hand, pommel, 0.9f), Solid(Leather()));
  c.Fill(Circle(pommel.x, pommel.y, 1.2f), Ball(Gold(), pommel.x, pommel.y, 1.2f, 0.6f));
  c.Fill(Capsule({guard.x - uy * 4.f, guard.y + ux * 4.f}, {guard.x + uy * 4.f, guard.y - ux * 4.f},
                 0.85f),
         Metal(Gold(), guard.x, guard.y, 4.f));
}

void DrawPlayerCrown(Canvas& c, float cx, float top) {
  const float band = top + 6.f;
  c.Fill(Polygon({{cx - 6.5f, band + 3.8f},
                  {cx - 6.5f, top + 1.5f},
                  {cx - 3.2f, band - 1.f},
                  {cx, top},
                  {cx + 3.2f, band - 1.f},
                  {cx + 6.5f, top + 1.5f},
                  {cx + 6.5f, band + 3.8f}}),
         Metal(Gold(), cx, band, 6.5f));
  c.Fill(Box(cx - 6.5f, band + 0.8f, cx + 6.5f, band + 3.8f), Metal(Gold(), cx, band - 2.f, 6.5f));
  c.Fill(Box(cx - 6.5f, band + 3.3f, cx + 6.5f, band + 3.9f), Solid(Gold() * 0.35f));
  for (const float tip : {cx - 6.5f, cx + 6.5f})
    c.Fill(Circle(tip, top + 1.2f, 1.2f), Ball(Gold(), tip, top + 1.2f, 1.2f, 0.6f));
  c.Fill(Circle(cx, top - 0.2f, 1.4f), Ball(Gold(), cx, top - 0.2f, 1.4f, 0.6f));
  c.Fill(Ellipse(cx, band + 2.3f, 1.4f, 1.2f), Ball(BallBase(2), cx, band + 2.3f, 1.4f, 0.9f));
  for (const float jx : {cx - 4.f, cx + 4.f}) {
    c.Fill(Ellipse(jx, band + 2.3f, 1.f, 1.f), Ball(BallBase(1), jx, band + 2.3f, 1.f, 0.9f));
  }
}

Image RenderPlayer(const PlayerPose& pose) {
  Canvas c(kFigureWidth, kFigureHeight, kSamples, Color{}, 1.f);
  DrawCapital(c, kPlayerShaftLeft, kFigureHeight);
  const float cx = kPlayerX;
  const float ground = kFigureHeight - kShaftRowsInFigure - kCapitalHeight;
  // Legs and boots.
  for (const float side : {-1.f, 1.f}) {
    c.Fill(Capsule({cx + side * 3.6f, 62.f}, {cx + side * 4.f, 79.f}, 2.7f),
           Rounded(HairBrown() * 0.55f, cx + side * 4.f, 3.f));
    c.Fill(RoundBox(cx + side * 4.f - 3.3f, 75.f, cx + side * 4.f + 3.3f, ground, 1.5f),
           Rounded(Leather(), cx + side * 4.f, 3.3f));
    c.Fill(Box(cx + side * 4.f - 3.4f, 75.f, cx + side * 4.f + 3.4f, 76.3f),
           Solid(Leather() * 0.55f));
  }
  // Tunic with a gold hem and a belt.
  c.Fill(Polygon({{cx - 9.f, 38.5f}, {cx + 9.f, 38.5f}, {cx + 13.f, 66.f}, {cx - 13.f, 66.f}}),
         Rounded(Tunic(), cx, 13.f));
  c.Fill(Box(cx - 0.4f, 55.f, cx + 0.4f, 65.f), Solid(Tunic() * 0.35f));
  c.Fill(Polygon({{cx - 12.9f, 64.f}, {cx + 12.9f, 64.f}, {cx + 13.f, 66.f}, {cx - 13.f, 66.f}}),
         Metal(Gold(), cx, 60.f, 13.f));
  c.Fill(Box(cx - 10.8f, 52.f, cx + 10.8f, 55.f), Rounded(Leather(), cx, 11.f));
  c.Fill(RoundBox(cx - 2.f, 51.5f, cx + 2.f, 55.5f, 0.8f), Metal(Gold(), cx, 52.f, 2.f));
  c.Fill(Box(cx - 0.8f, 52.7f, cx + 0.8f, 54.3f), Solid(Leather() * 0.6f));
  // The arm on the right hangs down.
  c.Fill(Ellipse(cx + 8.5f, 41.f, 4.f, 3.5f), Rounded(Tunic(), cx + 8.f, 5.f));
  c.Fill(Capsule({cx + 9.f, 42.f}, {cx + 12.f, 57.f}, 3.f), Rounded(Tunic(), cx + 10.5f, 4.f));
  c.Fill(Circle(cx + 12.4f, 60.f, 2.4f), Ball(Skin(), cx + 11.8f, 59.4f, 2.8f));
  // The sword arm.
  c.Fill(Ellipse(cx - 8.5f, 41.f, 4.f, 3.5f), Rounded(Tunic(), cx - 9.f, 5.f));
  const Point shoulder{cx - 9.f, 42.f};
  const Point hand = pose.sword_raised ? Point{cx - 17.f, 29.f} : Point{cx - 14.5f, 52.f};
  const Point tip = pose.sword_raised ? Point{cx - 29.f, 7.5f} : Point{cx - 19.f, 17.f};
  c.Fill(Capsule(shoulder, hand, 3.f), Rounded(Tunic(), (shoulder.x + hand.x) / 2.f, 4.f));
  DrawSword(c, hand, tip);
  c.Fill(Circle(hand.x, hand.y, 2.5f), Ball(Skin(), hand.x - 0.6f, hand.y - 0.6f, 2.8f));
  // Neck, head and hair.
  c.Fill(Box(cx - 2.3f, 33.f, cx + 2.3f, 39.f), Rounded(Skin(), cx, 2.5f));
  c.Fill(Ellipse(cx, 38.8f, 5.f, 1.6f), Metal(Gold(), cx, 38.f, 5.f));
  const float hy = 28.f;
  c.Fill(Ellipse(cx, hy, 5.6f, 6.6f), Ball(Skin(), cx - 0.5f, hy - 0.5f, 7.f));
  c.Fill(Intersect(Ellipse(cx, hy - 1.f, 6.3f, 6.6f), Box(cx - 7.f, hy - 8.f, cx + 7.f, hy - 2.8f)),
         Ball(HairBrown(), cx - 1.f, hy - 4.f, 7.f));
  c.Fill(Ellipse(cx - 5.4f, hy - 1.f, 1.5f, 3.2f), Ball(HairBrown(), cx - 5.5f, hy - 2.f, 3.f));
  c.Fill(Ellipse(cx + 5.4f, hy - 1.f, 1.5f, 3.2f), Ball(HairBrown(), cx + 5.f, hy - 2.f, 3.f));
  Eye(c, cx - 2.3f, hy - 0.3f, false);
  Eye(c, cx + 2.3f, hy - 0.3f, false);
  c.Fill(Ellipse(cx + 0.2f, hy + 1.8f, 0.8f, 1.1f), Solid(Skin() * 0.72f));
  c.Fill(Capsule({cx - 1.5f, hy + 3.9f}, {cx + 1.5f, hy + 3.9f}, 0.4f), Solid(FromHex(0xA04838)));
  if (pose.crown) DrawPlayerCrown(c, cx, 13.f);
  Image art = c.Resolve();
  PutShaftRows(art, kPlayerShaftLeft);
  return art;
}

bool SameColour(Color a, Color b) {
  return a.r == b.r && a.g == b.g && a.b == b.b;
}

// Cross-fade from `from` to `to`; pixels the two share stay exactly as they are.
Image Blend(const Image& from, const Image& to, float t) {
  Image out = from;
  for (std::size_t i = 0; i < out.pixels.size(); ++i) {
    if (!SameColour(from.pixels[i], to.pixels[i]))
      out.pixels[i] = Mix(from.pixels[i], to.pixels[i], t);
  }
  return out;
}

}  // namespace

Image KingArt(int frame) {
  if (frame >= 6) return RenderKing({true, false});
  const Image crowned = RenderKing({false, true});
  if (frame <= 0) return crowned;
  const Image bare = RenderKing({false, false});
  return Blend(crowned, bare, static_cast<float>(frame) / 6.f);
}

Image PlayerArt() {
  return RenderPlayer({false, false});
}

Image PlayerWithOverlay(int frame) {
  if (frame <= 1) return PlayerArt();
  if (frame >= 6) return RenderPlayer({true, true});
  const Image crowned = RenderPlayer({true, false});
  if (frame == 5) return crowned;
  return Blend(PlayerArt(), crowned, static_cast<float>(frame - 1) / 4.f);
}

Image CrownOverlayArt(int frame) {
  return PlayerWithOverlay(frame).Crop(0, kOverlayTop, kOverlayWidth, kOverlayHeight);
}

}  // namespace rolvi::artgen
