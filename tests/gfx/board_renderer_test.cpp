#include "gfx/board_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "gfx/decimal.h"
#include "platform/ink.h"
#include "platform/software/soft_surface.h"
#include "support/synthetic_sheet.h"

namespace rolvi::gfx {
namespace {

using platform::Rgb;
using platform::SoftSurface;
using testing::CellColour;

constexpr Rgb kBackground{7, 7, 7};
constexpr Rgb kFace{192, 192, 192};
constexpr Rgb kHighlight{255, 255, 255};
constexpr Rgb kShadow{128, 128, 128};

Rgb At(const SoftSurface& surface, int x, int y) {
  return surface.GetPixel(x, y).value();
}

// Each of `offsets` from (x, y) shows `colour`.
void ExpectColourAt(const SoftSurface& surface, Rgb colour, int x, int y,
                    std::initializer_list<std::pair<int, int>> offsets) {
  for (const auto& [dx, dy] : offsets)
    EXPECT_EQ(At(surface, x + dx, y + dy), colour) << "at +" << dx << ",+" << dy;
}

TEST(DecimalTest, WritesDigitsWithoutLeadingZeros) {
  const std::pair<std::uint32_t, std::string_view> cases[] = {{0, "0"},
                                                              {7, "7"},
                                                              {10, "10"},
                                                              {1'000'000'000, "1000000000"},
                                                              {4'294'967'295u, "4294967295"}};
  for (const auto& [value, text] : cases) {
    DecimalText digits;
    digits.fill('x');
    EXPECT_EQ(FormatDecimal(value, digits), text.size());
    EXPECT_EQ(DecimalView(digits), text);
    EXPECT_EQ(digits[text.size()], '\0');
  }
}

TEST(BoardRendererTest, FrameIsWhiteTopLeftAndGreyBottomRightWithAnUndrawnRingAroundTheCells) {
  SoftSurface surface(400, 400, kBackground);
  const SpriteSheet sheet = testing::SyntheticSheet();
  game::Board board;
  board.at(8, 8) = game::kMagenta;
  DrawBoard(surface, sheet, {10, 20}, board);
  // The frame's lines, which stop at its corners; the ring between frame and tiles that shows
  // the background; tiles from 2 pixels inside to X + 325.
  ExpectColourAt(surface, platform::kWhite, 10, 20, {{327, 0}, {0, 327}, {1, 0}});
  ExpectColourAt(surface, kFrameGrey, 10, 20, {{327, 327}, {1, 327}, {327, 1}});
  ExpectColourAt(surface, kBackground, 10, 20,
                 {{0, 328}, {328, 0}, {1, 1}, {326, 200}, {200, 326}});
  ExpectColourAt(surface, CellColour(0, 0), 10, 20, {{2, 2}, {1 + 36 * 8, 2 + 36 * 8}});
  ExpectColourAt(surface, CellColour(game::kMagenta, 0), 10, 20,
                 {{325, 325}, {2 + 36 * 8, 2 + 36 * 8}});
  // A ball marked for removal is drawn in its own colour.
  DrawCell(surface, sheet, {10, 20}, 3, 4, game::kBlue | game::kRemovalMark, 8);
  ExpectColourAt(surface, CellColour(game::kBlue, 8), 10 + 2 + 36 * 3, 20 + 2 + 36 * 4,
                 {{0, 0}, {35, 35}});
}

TEST(BoardRendererTest, PreviewShowsSmallBallsOrEmptyTiles) {
  SoftSurface surface(200, 60, kBackground);
  const SpriteSheet sheet = testing::SyntheticSheet();
  const game::NextBalls next{{game::kRed, game::kCyan, game::kBrown}};
  DrawNextBalls(surface, sheet, {5, 5}, next, true);
  EXPECT_EQ(At(surface, 5, 5), CellColour(game::kRed, 6));
  EXPECT_EQ(At(surface, 5 + 36, 40), CellColour(game::kCyan, 6));
  EXPECT_EQ(At(surface, 5 + 107, 40), CellColour(game::kBrown, 6));
  EXPECT_EQ(At(surface, 5 + 108, 40), kBackground);

  DrawNextBalls(surface, sheet, {5, 5}, next, false);
  for (const int x : {5, 41, 77, 112})
    EXPECT_EQ(At(surface, x, 20), CellColour(0, 0));
}

TEST(BoardRendererTest, ScoreBoxSpans72By24AndShowsAPlainRightAlignedZero) {
  SoftSurface surface(120, 60, kBackground);
  DrawScoreBox(surface, 20, 10, 0);
  const int x = 20;
  const int y = 10;
  // The outline without its top-right pixel, the sunken edge, the gap between the edges, the
  // black field.
  ExpectColourAt(surface, kHighlight, x, y, {{0, 0}, {70, 0}, {0, 23}, {68, 10}});
  ExpectColourAt(surface, kShadow, x, y, {{71, 1}, {1, 23}, {71, 23}, {3, 10}});
  ExpectColourAt(surface, kBackground, x, y, {{71, 0}, {72, 12}, {12, 24}, {1, 10}, {2, 10}});
  ExpectColourAt(surface, platform::kBlack, x, y, {{4, 4}, {67, 19}});
  // A single white 0 in the field, right-aligned so that it ends at x + 60, 8 pixels short of
  // the field's end (the highlight edges are white too, so look inside the field only).
  const platform::Rect digit =
      testing::InkBounds(surface, platform::kWhite, {x + 4, y + 4, x + 68, y + 20});
  // The glyph's 8-pixel cell ends at x + 60; its ink lies inside the cell.
  EXPECT_LE(digit.right, x + 60);
  EXPECT_GE(digit.right, x + 58);
  EXPECT_GE(digit.left, x + 52);
  // Inside the field every row of the digit has ink only at its two sides (or a single run
  // at the top and bottom): no slash or dot crosses it.
  int rows = 0;
  for (int row = y + 4; row < y + 20; ++row) {
    std::vector<int> ink;
    for (int column = x + 4; column < x + 68; ++column) {
      if (At(surface, column, row) == platform::kWhite) ink.push_back(column);
    }
    if (ink.empty()) continue;
    ++rows;
    const bool one_run = ink.back() - ink.front() + 1 == static_cast<int>(ink.size());
    EXPECT_TRUE(ink.size() <= 2 || one_run) << "row " << row << " has " << ink.size() << " pixels";
  }
  EXPECT_GE(rows, 8);
}

// GBK 下组 (next group) and 颜色 (colours) with two blanks, as the header bar shows them.
const std::string kNextGroup = "\xCF\xC2\xD7\xE9";
const std::string kColours = "\xD1\xD5\xC9\xAB  ";

TEST(BoardRendererTest, HeaderBarLinesReachTheLastColumnAtAnyWidth) {
  for (const int width : {612, 777, 1016}) {
    SoftSurface surface(width, 60, kBackground);
    DrawHeaderBar(surface, width, (width - 108) / 2, 100, {kNextGroup, kColours});
    for (const int x : {0, width / 2, width - 1}) {
      EXPECT_EQ(At(surface, x, 0), kShadow) << width;
      EXPECT_EQ(At(surface, x, 1), kHighlight) << width;
      EXPECT_EQ(At(surface, x, 42), kHighlight) << width;
      EXPECT_EQ(At(surface, x, 43), kShadow) << width;
      EXPECT_EQ(At(surface, x, 44), kBackground) << width;
    }
    EXPECT_EQ(At(surface, width - 1, 30), kFace);
    // The record box stands at (24, 10).
    EXPECT_EQ(At(surface, 24, 10), kHighlight);
    EXPECT_EQ(At(surface, 95, 10), kFace);
    EXPECT_EQ(At(surface, 30, 18), platform::kBlack);
  }
}

constexpr Rgb kMarker{1, 2, 3};

// The pixels that `text` covers when drawn alone, the way the header bar places its label.
std::vector<platform::Point> GlyphPixels(const std::string& text, const platform::Rect& rect,
                                         platform::HorizontalAlign align) {
  SoftSurface surface(612, 60, kBackground);
  surface.SetTextColour(kMarker);
  surface.SetBackgroundMode(platform::BackgroundMode::kTransparent);
  surface.DrawText(text, rect, {.align = align, .single_line = true});
  std::vector<platform::Point> pixels;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 612; ++x) {
      if (At(surface, x, y) == kMarker) pixels.push_back({x, y});
    }
  }
  return pixels;
}

// WCAG relative luminance and contrast ratio.
double Luminance(Rgb colour) {
  auto linear = [](int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) + 0.0722 * linear(colour.blue);
}
double Contrast(Rgb a, Rgb b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(BoardRendererTest, HeaderLabelsStandOutFromTheBarWithAnEtchedCopyBelowRight) {
  SoftSurface surface(612, 60, kBackground);
  const int px = 252;
  DrawHeaderBar(surface, 612, px, 100, {kNextGroup, kColours});
  struct Label {
    std::string text;
    platform::Rect rect;  // where the front copy is drawn
    platform::HorizontalAlign align;
  } labels[] = {{kNextGroup, {px - 79, 14, px - 16, 31}, platform::HorizontalAlign::kRight},
                {kColours, {px + 124, 14, px + 189, 31}, platform::HorizontalAlign::kLeft}};
  for (const Label& label : labels) {
    const std::vector<platform::Point> glyph = GlyphPixels(label.text, label.rect, label.align);
    ASSERT_GT(glyph.size(), 40u);
    // Every text pixel, against the bar around it: at least 4.5 to 1.
    double weakest = 21;
    for (const platform::Point& p : glyph) {
      weakest = std::min(weakest, Contrast(At(surface, p.x, p.y), kFace));
    }
    EXPECT_GE(weakest, 4.5) << "label at " << label.rect.left;
    // The etched copy: where the text has a pixel and the one below-right of it is no text,
    // that pixel is the highlight.
    int etched = 0;
    int edges = 0;
    for (const platform::Point& p : glyph) {
      const bool covered = std::any_of(glyph.begin(), glyph.end(), [&](const platform::Point& q) {
        return q.x == p.x + 1 && q.y == p.y + 1;
      });
      if (covered) continue;
      ++edges;
      etched += At(surface, p.x + 1, p.y + 1) == kHighlight ? 1 : 0;
    }
    EXPECT_EQ(etched, edges);
  }
  // The labels keep their places: nothing of the left one past PX - 15, nothing of the right
  // one before PX + 124.
  for (int y = 2; y < 42; ++y) {
    EXPECT_EQ(At(surface, px - 15, y), kFace) << y;
    EXPECT_EQ(At(surface, px + 123, y), kFace) << y;
  }
}

}  // namespace
}  // namespace rolvi::gfx
