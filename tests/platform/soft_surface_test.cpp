// The software surface: lines, fills, clipping and origin, resizing, system colours; block
// copies, done a row at a time, against a pixel-by-pixel reference over many placements, clips
// and origins; and the rectangles the surface reports as drawn since the last present: every
// changed pixel inside them, a redrawn cell one rectangle, never more than the limit.
#include "platform/software/soft_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "platform/ink.h"
#include "platform/software/soft_image.h"

namespace rolvi::platform {
namespace {

using testing::CountPixels;
using testing::InkBounds;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGrey{85, 85, 85};
constexpr Rgb kBlue{0, 0, 255};

using Points = std::vector<std::pair<int, int>>;

Points PixelsOf(const SoftSurface& surface, Rgb colour) {
  Points found;
  for (int y = 0; y < surface.height(); ++y) {
    for (int x = 0; x < surface.width(); ++x) {
      if (surface.GetPixel(x, y) == colour) found.emplace_back(x, y);
    }
  }
  return found;
}

// A polyline in red from the first point through the others, on a fresh 12 by 12 surface.
SoftSurface Polyline(const Points& points) {
  SoftSurface surface(12, 12);
  EXPECT_EQ(surface.SelectPen(kRed), kBlack);  // the previous pen comes back
  surface.MoveTo(points[0].first, points[0].second);
  for (std::size_t i = 1; i < points.size(); ++i)
    surface.LineTo(points[i].first, points[i].second);
  return surface;
}

TEST(LineTest, LinesFollowBresenhamAndLeaveOutTheirEnd) {
  const struct {
    Points polyline;
    Points drawn;
  } cases[] = {
      {{{2, 5}, {6, 5}}, {{2, 5}, {3, 5}, {4, 5}, {5, 5}}},
      {{{6, 1}, {6, 4}, {6, 1}}, {{6, 1}, {6, 2}, {6, 3}, {6, 4}}},  // back up: not 1 again
      {{{1, 1}, {5, 5}}, {{1, 1}, {2, 2}, {3, 3}, {4, 4}}},
      {{{0, 0}, {4, 2}}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
      {{{3, 3}, {3, 3}}, {}},  // a line of no length draws nothing
  };
  for (const auto& c : cases)
    EXPECT_EQ(PixelsOf(Polyline(c.polyline), kRed), c.drawn);

  const SoftSurface steep_up = Polyline({{3, 9}, {1, 3}});
  EXPECT_EQ(CountPixels(steep_up, kRed), 6);
  EXPECT_EQ(steep_up.GetPixel(3, 9), kRed);
  EXPECT_NE(steep_up.GetPixel(1, 3), kRed);
}

TEST(FillRectTest, CoversLeftAndTopButNotRightAndBottomAndIsClippedOnEverySide) {
  SoftSurface surface(10, 10);
  surface.FillRect({2, 3, 6, 8}, kRed);
  EXPECT_EQ(InkBounds(surface, kRed), (Rect{2, 3, 6, 8}));
  EXPECT_EQ(CountPixels(surface, kRed), 4 * 5);

  surface.FillRect({7, 7, 7, 9}, kBlue);  // no width
  surface.FillRect({9, 9, 8, 8}, kBlue);  // inverted
  EXPECT_EQ(CountPixels(surface, kBlue), 0);

  // Clipped at all four sides, even from far coordinates.
  SoftSurface clipped(10, 8);
  clipped.FillRect({-5, -5, 3, 2}, kRed);
  EXPECT_EQ(InkBounds(clipped, kRed), (Rect{0, 0, 3, 2}));
  clipped.FillRect({8, 6, 40, 40}, kBlue);
  EXPECT_EQ(InkBounds(clipped, kBlue), (Rect{8, 6, 10, 8}));
  clipped.FillRect({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, kGrey);
  EXPECT_EQ(CountPixels(clipped, kGrey), 80);
}

TEST(ResizeTest, ShrinkingGivesTheMemoryBackAndGrowingAgainStartsClean) {
  SoftSurface surface(2000, 1500);
  surface.FillRect({0, 0, 2000, 1500}, kRed);
  surface.Resize(612, 374);
  EXPECT_LE(surface.held_pixels(), 2u * 612 * 374) << "the large framebuffer's memory was kept";
  EXPECT_EQ(CountPixels(surface, kBlack), 612 * 374);
  EXPECT_EQ(surface.clip(), (Rect{0, 0, 612, 374}));

  surface.Resize(2000, 1500, kBlue);
  EXPECT_EQ(CountPixels(surface, kBlue), 2000 * 1500);
  surface.Resize(0, 0);
  EXPECT_EQ(surface.held_pixels(), 0u);
  EXPECT_EQ(surface.GetPixel(0, 0), std::nullopt);
}

TEST(ClipAndOriginTest, DrawingStaysInsideTheClipAndMovesWithTheOrigin) {
  SoftSurface surface(20, 20);
  surface.SetClip({5, 6, 12, 14});
  surface.FillRect({0, 0, 20, 20}, kRed);
  EXPECT_EQ(InkBounds(surface, kRed), (Rect{5, 6, 12, 14}));

  surface.ResetClip();
  surface.SetOrigin(10, 10);
  surface.FillRect({-2, -3, 1, 1}, kBlue);
  EXPECT_EQ(InkBounds(surface, kBlue), (Rect{8, 7, 11, 11}));
  surface.SelectPen(kGrey);
  surface.MoveTo(0, 5);
  surface.LineTo(3, 5);
  EXPECT_EQ(PixelsOf(surface, kGrey), (Points{{10, 15}, {11, 15}, {12, 15}}));

  surface.SetClip({-10, 18, 100, 100});  // cut to the framebuffer
  EXPECT_EQ(surface.clip(), (Rect{0, 18, 20, 20}));
}

// The classic look: raised edges go from light to dark, and every text colour stands out
// from the background it is drawn on.
TEST(SystemColourTest, EdgesGoFromLightToDarkAndTextsStandOutFromTheirBackgrounds) {
  const SoftSurface surface(1, 1);
  const auto light = [&surface](SystemColour which) {
    const Rgb c = surface.SystemColour(which);
    return c.red + c.green + c.blue;
  };
  EXPECT_GT(light(SystemColour::kHighlight), light(SystemColour::kFace));
  EXPECT_GT(light(SystemColour::kFace), light(SystemColour::kShadow));
  EXPECT_GT(light(SystemColour::kShadow), light(SystemColour::kDarkShadow));
  EXPECT_GT(light(SystemColour::kWindow) - light(SystemColour::kWindowText), 3 * 128);
  EXPECT_GT(light(SystemColour::kSelectionText) - light(SystemColour::kSelection), 3 * 128);
  EXPECT_GT(light(SystemColour::kCaptionText) - light(SystemColour::kCaption), 3 * 128);
  EXPECT_GT(light(SystemColour::kFace) - light(SystemColour::kGrayText), 3 * 32);
}

constexpr int kSide = 24;

SoftImage Picture(int width, int height, std::uint32_t seed) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height));
  std::mt19937 random(seed);
  for (auto& pixel : pixels)
    pixel = random() & 0xFFFFFFu;
  return SoftImage(width, height, std::move(pixels));
}

void Fill(SoftSurface& surface, std::uint32_t seed) {
  std::mt19937 random(seed);
  for (auto& pixel : surface.pixels())
    pixel = random() & 0xFFFFFFu;
}

// The block copy's rule, one pixel at a time: source pixel (sx + i, sy + j) lands on
// (x + i, y + j) moved by the origin, where both lie inside the image, the framebuffer and
// the clip.
void ReferenceBlit(std::vector<std::uint32_t>& pixels, const Rect& clip, int origin_x, int origin_y,
                   int x, int y, int width, int height, const SoftImage& image, int source_x,
                   int source_y, RasterOp op) {
  for (int j = 0; j < height; ++j) {
    for (int i = 0; i < width; ++i) {
      const int from_x = source_x + i;
      const int from_y = source_y + j;
      const int to_x = x + i + origin_x;
      const int to_y = y + j + origin_y;
      if (from_x < 0 || from_y < 0 || from_x >= image.width() || from_y >= image.height()) continue;
      if (to_x < clip.left || to_y < clip.top || to_x >= clip.right || to_y >= clip.bottom)
        continue;
      std::uint32_t& out = pixels[static_cast<std::size_t>(to_y * kSide + to_x)];
      const std::uint32_t in = image.pixel(from_x, from_y);
      out = op == RasterOp::kCopy ? in : op == RasterOp::kAnd ? (out & in) : (out | in);
    }
  }
}

bool Inside(const Rect& rect, int x, int y) {
  return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// Every pixel that differs from `before` lies in one of the reported changes.
void ExpectChangesCover(const SoftSurface& surface, const std::vector<std::uint32_t>& before) {
  const auto changes = surface.changes();
  ASSERT_LE(changes.size(), SoftSurface::kMaxChanges);
  for (const Rect& rect : changes) {
    EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= surface.width() &&
                rect.bottom <= surface.height() && rect.left < rect.right && rect.top < rect.bottom)
        << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
  }
  for (int y = 0; y < surface.height(); ++y) {
    for (int x = 0; x < surface.width(); ++x) {
      const auto at = static_cast<std::size_t>(y * surface.width() + x);
      if (surface.pixels()[at] == before[at]) continue;
      EXPECT_TRUE(std::any_of(changes.begin(), changes.end(),
                              [&](const Rect& rect) { return Inside(rect, x, y); }))
          << "pixel (" << x << ", " << y << ") changed outside every reported rectangle";
    }
  }
}

TEST(RowBlitTest, EveryModeMatchesThePixelRuleWhereverTheBlockLands) {
  const SoftImage image = Picture(13, 11, 7);
  std::mt19937 random(2024);
  std::uniform_int_distribution<int> place(-15, 28);
  std::uniform_int_distribution<int> size(-2, 16);
  for (int round = 0; round < 3000; ++round) {
    SoftSurface surface(kSide, kSide);
    Fill(surface, static_cast<std::uint32_t>(round));
    const Rect clip{place(random) / 2, place(random) / 2, place(random), place(random)};
    if (round % 2 == 0) surface.SetClip(clip);
    const int origin_x = round % 3 == 0 ? place(random) / 4 : 0;
    const int origin_y = round % 3 == 0 ? place(random) / 4 : 0;
    surface.SetOrigin(origin_x, origin_y);
    const auto op = static_cast<RasterOp>(round % 3);
    const int x = place(random);
    const int y = place(random);
    const int width = size(random);
    const int height = size(random);
    const int source_x = place(random) / 2;
    const int source_y = place(random) / 2;

    const std::vector<std::uint32_t> before(surface.pixels().begin(), surface.pixels().end());
    std::vector<std::uint32_t> expected = before;
    ReferenceBlit(expected, surface.clip(), origin_x, origin_y, x, y, width, height, image,
                  source_x, source_y, op);
    surface.ForgetChanges();
    surface.Blit(x, y, width, height, &image, source_x, source_y, op);
    ASSERT_TRUE(std::equal(expected.begin(), expected.end(), surface.pixels().begin()))
        << "round " << round << ": op " << static_cast<int>(op) << " at (" << x << ", " << y
        << ") size " << width << "x" << height << " from (" << source_x << ", " << source_y << ")";
    ExpectChangesCover(surface, before);
  }
  // Without an image nothing is drawn.
  SoftSurface surface(kSide, kSide);
  surface.Blit(0, 0, 4, 4, nullptr, 0, 0, RasterOp::kCopy);
  EXPECT_EQ(CountPixels(surface, kBlack), kSide * kSide);
}

TEST(SurfaceChangesTest, ABlitReportsItsTargetAndRedrawingTheSameCellKeepsOneRectangle) {
  const SoftImage tile = Picture(36, 36, 3);
  SoftSurface surface(612, 374);
  ASSERT_EQ(surface.changes().size(), 1u);  // a new framebuffer: all of it
  EXPECT_EQ(surface.changes()[0], (Rect{0, 0, 612, 374}));
  surface.ForgetChanges();
  EXPECT_TRUE(surface.changes().empty());

  // The jumping ball: mask and picture into the same cell, frame after frame.
  for (int frame = 0; frame < 6; ++frame) {
    surface.Blit(144, 47, 36, 36, &tile, 0, 0, RasterOp::kAnd);
    surface.Blit(144, 47, 36, 36, &tile, 0, 0, RasterOp::kOr);
    ASSERT_EQ(surface.changes().size(), 1u);
    EXPECT_EQ(surface.changes()[0], (Rect{144, 47, 180, 83}));
  }
  // A neighbouring cell joins it; a far one is a rectangle of its own.
  surface.Blit(180, 47, 36, 36, &tile, 0, 0, RasterOp::kCopy);
  ASSERT_EQ(surface.changes().size(), 1u);
  EXPECT_EQ(surface.changes()[0], (Rect{144, 47, 216, 83}));
  surface.Blit(500, 300, 36, 36, &tile, 0, 0, RasterOp::kCopy);
  ASSERT_EQ(surface.changes().size(), 2u);
  EXPECT_EQ(surface.changes()[1], (Rect{500, 300, 536, 336}));

  // Drawing the clip cut away is not a change.
  surface.ForgetChanges();
  surface.SetClip({0, 0, 100, 100});
  surface.Blit(200, 200, 36, 36, &tile, 0, 0, RasterOp::kCopy);
  surface.FillRect({150, 0, 160, 10}, kWhite);
  EXPECT_TRUE(surface.changes().empty());
  surface.Resize(50, 40);
  ASSERT_EQ(surface.changes().size(), 1u);
  EXPECT_EQ(surface.changes()[0], (Rect{0, 0, 50, 40}));
}

TEST(SurfaceChangesTest, ScatteredDrawingStaysWithinTheLimitAndCoversEveryChangedPixel) {
  const SoftImage image = Picture(9, 9, 11);
  std::mt19937 random(77);
  std::uniform_int_distribution<int> place(-4, kSide);
  for (int round = 0; round < 200; ++round) {
    SoftSurface surface(kSide, kSide);
    Fill(surface, static_cast<std::uint32_t>(round));
    surface.ForgetChanges();
    const std::vector<std::uint32_t> before(surface.pixels().begin(), surface.pixels().end());
    surface.SetTextColour(kWhite);
    surface.SelectPen(Rgb{1, 2, 3});
    for (int step = 0; step < 20; ++step) {
      const int x = place(random);
      const int y = place(random);
      switch (random() % 4) {
        case 0:
          surface.Blit(x, y, 3, 2, &image, 1, 1, static_cast<RasterOp>(step % 3));
          break;
        case 1:
          surface.FillRect({x, y, x + 2, y + 3}, Rgb{9, 9, 9});
          break;
        case 2:
          surface.MoveTo(x, y);
          surface.LineTo(place(random), place(random));
          break;
        default:
          surface.DrawText("Ab", {x, y, x + 12, y + 16}, TextFormat{});
          break;
      }
    }
    ExpectChangesCover(surface, before);
    if (::testing::Test::HasFailure()) return;
  }
}

}  // namespace
}  // namespace rolvi::platform
