#include "platform/software/soft_surface.h"

#include <gtest/gtest.h>

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

std::vector<std::pair<int, int>> PixelsOf(const SoftSurface& surface, Rgb colour) {
  std::vector<std::pair<int, int>> found;
  for (int y = 0; y < surface.height(); ++y) {
    for (int x = 0; x < surface.width(); ++x) {
      if (surface.GetPixel(x, y) == colour) found.emplace_back(x, y);
    }
  }
  return found;
}

using Points = std::vector<std::pair<int, int>>;

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

TEST(FillRectTest, CoversLeftAndTopButNotRightAndBottom) {
  SoftSurface surface(10, 10);
  surface.FillRect({2, 3, 6, 8}, kRed);
  EXPECT_EQ(InkBounds(surface, kRed), (Rect{2, 3, 6, 8}));
  EXPECT_EQ(CountPixels(surface, kRed), 4 * 5);

  surface.FillRect({7, 7, 7, 9}, kBlue);  // no width
  surface.FillRect({9, 9, 8, 8}, kBlue);  // inverted
  EXPECT_EQ(CountPixels(surface, kBlue), 0);
}

TEST(FillRectTest, ClipsAtAllFourSidesAndFarCoordinates) {
  SoftSurface surface(10, 8);
  surface.FillRect({-5, -5, 3, 2}, kRed);
  EXPECT_EQ(InkBounds(surface, kRed), (Rect{0, 0, 3, 2}));
  surface.FillRect({8, 6, 40, 40}, kBlue);
  EXPECT_EQ(InkBounds(surface, kBlue), (Rect{8, 6, 10, 8}));
  surface.FillRect({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, kGrey);
  EXPECT_EQ(CountPixels(surface, kGrey), 80);
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

SoftImage Stripes(int width, int height) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      pixels.push_back(static_cast<std::uint32_t>(y * 16 + x + 1));
  }
  return SoftImage(width, height, pixels);
}

TEST(BlitTest, CopiesTheBlockAtItsPlace) {
  const SoftImage image = Stripes(6, 5);
  SoftSurface surface(10, 10);
  surface.Blit(3, 4, 2, 3, &image, 1, 2, RasterOp::kCopy);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool inside = x >= 3 && x < 5 && y >= 4 && y < 7;
      const std::uint32_t expected =
          inside ? static_cast<std::uint32_t>((y - 4 + 2) * 16 + (x - 3 + 1) + 1) : 0;
      EXPECT_EQ(surface.pixels()[static_cast<std::size_t>(y * 10 + x)], expected) << x << "," << y;
    }
  }
}

TEST(BlitTest, ClipsToSourceAndDestinationOnEverySide) {
  const SoftImage image = Stripes(6, 5);
  SoftSurface surface(8, 8);
  // Source starts left of and above the image: the destination moves with the cut.
  surface.Blit(1, 1, 4, 4, &image, -2, -1, RasterOp::kCopy);
  EXPECT_EQ(surface.GetPixel(3, 1), UnpackRgb(0));
  EXPECT_EQ(surface.pixels()[2 * 8 + 3], 1u);
  EXPECT_EQ(surface.pixels()[4 * 8 + 4], static_cast<std::uint32_t>(2 * 16 + 1 + 1));

  SoftSurface edges(8, 8);
  edges.Blit(-3, -2, 6, 5, &image, 0, 0, RasterOp::kCopy);  // off the top-left
  EXPECT_EQ(edges.pixels()[0], static_cast<std::uint32_t>(2 * 16 + 3 + 1));
  edges.Blit(5, 6, 6, 5, &image, 0, 0, RasterOp::kCopy);  // off the bottom-right
  EXPECT_EQ(edges.pixels()[7 * 8 + 7], static_cast<std::uint32_t>(1 * 16 + 2 + 1));
  EXPECT_EQ(edges.pixels()[6 * 8 + 4], 0u);

  SoftSurface none(8, 8);
  none.Blit(0, 0, 4, 4, &image, 6, 0, RasterOp::kCopy);  // entirely right of the image
  none.Blit(0, 0, 4, 4, nullptr, 0, 0, RasterOp::kCopy);
  none.Blit(0, 0, -4, 4, &image, 0, 0, RasterOp::kCopy);
  EXPECT_EQ(CountPixels(none, kBlack), 64);
}

// The about box: the mask ANDed, then the picture ORed; white mask keeps the background,
// black mask shows the picture (drawn on black).
TEST(BlitTest, AndMaskThenOrPictureShowsPictureOverBackground) {
  constexpr std::uint32_t kW = 0xFFFFFF;
  const SoftImage mask(2, 2, {kW, 0, 0, kW});
  const SoftImage picture(2, 2, {0, 0x123456, 0xFF0000, 0});
  SoftSurface surface(2, 2, Rgb{192, 192, 192});
  surface.Blit(0, 0, 2, 2, &mask, 0, 0, RasterOp::kAnd);
  surface.Blit(0, 0, 2, 2, &picture, 0, 0, RasterOp::kOr);
  EXPECT_EQ(surface.GetPixel(0, 0), (Rgb{192, 192, 192}));
  EXPECT_EQ(surface.GetPixel(1, 0), (Rgb{0x12, 0x34, 0x56}));
  EXPECT_EQ(surface.GetPixel(0, 1), kRed);
  EXPECT_EQ(surface.GetPixel(1, 1), (Rgb{192, 192, 192}));
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

}  // namespace
}  // namespace rolvi::platform
