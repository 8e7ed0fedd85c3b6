#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/ink.h"
#include "platform/software/soft_surface.h"
#include "platform/software/text_layout.h"

namespace rolvi::platform {
namespace {

using testing::CountPixels;
using testing::InkBounds;

constexpr Rgb kInk{0, 0, 255};
constexpr Rgb kPaper{255, 255, 0};
constexpr Rgb kGround{192, 192, 192};

const std::string kNextGroup = "\xCF\xC2\xD7\xE9";  // 下组
const std::string kFull = "\xA1\xA3";               // 。

TextFormat Format(HorizontalAlign align, bool single_line = true, bool centre = false,
                  bool wrap = false, bool mnemonics = true) {
  return {align, centre, single_line, wrap, mnemonics};
}

struct TextCanvas {
  SoftSurface surface{120, 80, kGround};
  explicit TextCanvas(Font font = Font::kMain) {
    surface.SelectFont(font);
    surface.SetTextColour(kInk);
    surface.SetBackgroundColour(kPaper);
    surface.SetBackgroundMode(BackgroundMode::kTransparent);
  }
};

// The ink of `text` drawn into `rect` on a fresh canvas.
Rect InkOf(const std::string& text, const Rect& rect, const TextFormat& format,
           Font font = Font::kMain) {
  TextCanvas canvas(font);
  canvas.surface.DrawText(text, rect, format);
  return InkBounds(canvas.surface, kInk);
}

// Ink of `text` drawn alone at (0, 0): the reference that placed text is compared with.
Rect ReferenceInk(const std::string& text, Font font) {
  return InkOf(text, {0, 0, 120, 40}, Format(HorizontalAlign::kLeft), font);
}

Rect Offset(const Rect& r, int dx, int dy) {
  return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

TEST(MeasureTextTest, WidthsAndLineHeightsOfEachFont) {
  const SoftSurface surface(1, 1);
  EXPECT_EQ(surface.MeasureText("AB", Font::kMain, true), (Size{16, 16}));
  EXPECT_EQ(surface.MeasureText(kNextGroup, Font::kMain, true), (Size{32, 16}));
  EXPECT_EQ(surface.MeasureText(kNextGroup, Font::kDialog, true).width, 24);
  EXPECT_EQ(surface.MeasureText("x", Font::kDialog, true).height, 14);
  EXPECT_EQ(surface.MeasureText("x", Font::kList16, true).height, 14);
  EXPECT_EQ(surface.MeasureText("x", Font::kList18, true).height, 14);
  EXPECT_EQ(surface.MeasureText("x", Font::kNamePlate, true).height, 13);
  EXPECT_EQ(surface.MeasureText("WWWWWWWWWWWWW", Font::kNamePlate, true).width, 78);
  EXPECT_EQ(surface.MeasureText("81 (100%)", Font::kList16, true).width, 50);
  EXPECT_EQ(surface.MeasureText("&File", Font::kMain, true).width, 32);
  EXPECT_EQ(surface.MeasureText("&File", Font::kMain, false).width, 40);
  EXPECT_EQ(surface.MeasureText("a&&b", Font::kMain, true).width, 24);
  EXPECT_EQ(surface.MeasureText("", Font::kMain, true).width, 0);
}

TEST(DrawTextTest, HorizontalAlignmentInsideTheRectangle) {
  const Rect reference = ReferenceInk("42", Font::kMain);
  ASSERT_NE(reference, Rect{});
  struct Case {
    HorizontalAlign align;
    int dx;
  } cases[] = {{HorizontalAlign::kLeft, 10},
               {HorizontalAlign::kRight, 60 - 16},
               {HorizontalAlign::kCentre, 10 + (50 - 16) / 2}};
  for (const Case& c : cases)
    EXPECT_EQ(InkOf("42", {10, 5, 60, 21}, Format(c.align)), Offset(reference, c.dx, 5));
  // An odd spare width puts the extra pixel on the right.
  EXPECT_EQ(InkOf("42", {10, 5, 61, 21}, Format(HorizontalAlign::kCentre)),
            Offset(reference, 10 + 17, 5));
}

TEST(DrawTextTest, VerticalCentreOnlyOnASingleLine) {
  const Rect reference = ReferenceInk("42", Font::kList16);
  EXPECT_EQ(
      InkOf("42", {44, 36, 120, 71}, Format(HorizontalAlign::kLeft, true, true), Font::kList16),
      Offset(reference, 44, 36 + (35 - 14) / 2));
  EXPECT_EQ(
      InkOf("42", {44, 36, 120, 71}, Format(HorizontalAlign::kLeft, false, true), Font::kList16),
      Offset(reference, 44, 36));
}

TEST(DrawTextTest, ClippedToItsRectangleAndToTheSurfaceClip) {
  TextCanvas canvas;
  const Rect rect{5, 3, 29, 12};  // three glyphs wide, less than a line high
  canvas.surface.DrawText("WWWWWW", rect, Format(HorizontalAlign::kLeft));
  const Rect ink = InkBounds(canvas.surface, kInk);
  EXPECT_GE(ink.left, rect.left);
  EXPECT_GE(ink.top, rect.top);
  EXPECT_EQ(ink.right, rect.right - 1);  // the third W reaches its cell's last-but-one column
  EXPECT_EQ(ink.bottom, rect.bottom);

  // Right-aligned text too wide loses its left part.
  EXPECT_GE(InkOf("1234567890", {20, 0, 76, 16}, Format(HorizontalAlign::kRight)).left, 20);

  TextCanvas clipped;
  clipped.surface.SetClip({0, 0, 12, 80});
  clipped.surface.DrawText("WWWW", {0, 0, 120, 16}, Format(HorizontalAlign::kLeft));
  EXPECT_LE(InkBounds(clipped.surface, kInk).right, 12);
}

TEST(DrawTextTest, MnemonicUnderlinesTheMarkedCharacterOnly) {
  TextCanvas marked;
  marked.surface.DrawText("a&bc", {0, 0, 120, 16}, Format(HorizontalAlign::kLeft));
  TextCanvas plain;
  plain.surface.DrawText("abc", {0, 0, 120, 16}, Format(HorizontalAlign::kLeft));
  // The same glyphs plus one underline under b: 8 pixels on row 15, columns 8 to 15.
  EXPECT_EQ(CountPixels(marked.surface, kInk), CountPixels(plain.surface, kInk) + 8);
  for (int x = 0; x < 24; ++x) {
    EXPECT_EQ(marked.surface.GetPixel(x, 15) == kInk, x >= 8 && x < 16) << x;
  }

  // "&&" draws one "&"; with mnemonics off "&b" is two glyphs and nothing is underlined.
  TextCanvas literal;
  literal.surface.DrawText("&&b", {0, 0, 120, 16}, Format(HorizontalAlign::kLeft));
  TextCanvas shown;
  shown.surface.DrawText("&b", {0, 0, 120, 16},
                         Format(HorizontalAlign::kLeft, true, false, false, false));
  EXPECT_TRUE(std::ranges::equal(literal.surface.pixels(), shown.surface.pixels()));
  EXPECT_EQ(InkBounds(shown.surface, kInk).right, ReferenceInk("ab", Font::kMain).right);
  for (int x = 0; x < 24; ++x)
    EXPECT_NE(shown.surface.GetPixel(x, 15), kInk) << x;
}

TEST(DrawTextTest, OpaqueBackgroundFillsTheTextCellsNotTheRectangle) {
  TextCanvas canvas;
  canvas.surface.SetBackgroundMode(BackgroundMode::kOpaque);
  canvas.surface.DrawText("ab ", {10, 4, 100, 40}, Format(HorizontalAlign::kLeft, true, true));
  const int y = 4 + (36 - 16) / 2;
  const Rect cells{10, y, 34, y + 16};
  EXPECT_EQ(CountPixels(canvas.surface, kPaper) + CountPixels(canvas.surface, kInk),
            cells.width() * cells.height());
  Rect all = InkBounds(canvas.surface, kPaper);
  EXPECT_EQ(all, cells);

  TextCanvas transparent;
  transparent.surface.DrawText("ab ", {10, 4, 100, 40}, Format(HorizontalAlign::kLeft, true, true));
  EXPECT_EQ(CountPixels(transparent.surface, kPaper), 0);
  EXPECT_EQ(CountPixels(transparent.surface, kInk), CountPixels(canvas.surface, kInk));
}

TEST(TextLayoutTest, WrapsAtBlanksAndDropsThemAtTheBreak) {
  const FontMetrics font = MetricsOf(Font::kMain);
  const TextFormat wrap = Format(HorizontalAlign::kLeft, false, false, true);
  const std::string text = "ab cd  efgh";
  TextLine line = NextTextLine(text, 0, font, wrap, 5 * 8);
  EXPECT_EQ(text.substr(line.begin, line.end - line.begin), "ab cd");
  EXPECT_EQ(line.width, 40);
  EXPECT_EQ(line.next, 7u);  // both blanks dropped
  line = NextTextLine(text, line.next, font, wrap, 5 * 8);
  EXPECT_EQ(text.substr(line.begin, line.end - line.begin), "efgh");
  EXPECT_EQ(line.next, text.size());

  // A word wider than the line is cut between its characters.
  line = NextTextLine("abcdefgh", 0, font, wrap, 3 * 8);
  EXPECT_EQ(line.end, 3u);
  // Without wrapping only line breaks end a line; a single line ignores them.
  line = NextTextLine("ab cd\r\nef", 0, font, Format(HorizontalAlign::kLeft, false), 8);
  EXPECT_EQ(line.end, 5u);
  EXPECT_EQ(line.next, 7u);
  line = NextTextLine("ab\ncd", 0, font, Format(HorizontalAlign::kLeft, true), 8);
  EXPECT_EQ(line.end, 5u);
  EXPECT_EQ(line.width, 32);
}

TEST(TextLayoutTest, ChineseWrapsBetweenCharactersButNotBeforeClosingPunctuation) {
  const FontMetrics font = MetricsOf(Font::kMain);
  const TextFormat wrap = Format(HorizontalAlign::kLeft, false, false, true);
  const std::string text = kNextGroup + kNextGroup;
  TextLine line = NextTextLine(text, 0, font, wrap, 40);
  EXPECT_EQ(line.end, 4u);
  EXPECT_EQ(line.next, 4u);

  // 下组。 in two characters' width: 。 may not start a line, so 组 goes with it.
  const std::string punctuated = kNextGroup + kFull;
  line = NextTextLine(punctuated, 0, font, wrap, 32);
  EXPECT_EQ(line.end, 2u);
  line = NextTextLine(punctuated, line.next, font, wrap, 32);
  EXPECT_EQ(line.end, 6u);

  // Latin next to Chinese may break too: "5个" (个 = B8 F6).
  const std::string mixed = "5\xB8\xF6";
  line = NextTextLine(mixed, 0, font, wrap, 16);
  EXPECT_EQ(line.end, 1u);
}

TEST(DrawTextTest, WrappedLinesStackOneLineHeightApart) {
  const std::string text = kNextGroup + kNextGroup + kNextGroup;  // 6 characters, 72 pixels
  const Rect ink = InkOf(text, {0, 0, 30, 80}, Format(HorizontalAlign::kLeft, false, false, true),
                         Font::kDialog);
  EXPECT_LT(ink.right, 25);  // two 12-pixel characters a line
  const Rect one_line = ReferenceInk(kNextGroup, Font::kDialog);
  EXPECT_EQ(ink.bottom, one_line.bottom + 2 * 14);
  EXPECT_EQ(ink.top, one_line.top);
}

TEST(DrawTextTest, UndecodableBytesShowReplacementBoxes) {
  const SoftSurface surface(1, 1);
  EXPECT_EQ(surface.MeasureText("\x80", Font::kMain, true).width, 8);
  EXPECT_EQ(surface.MeasureText("\x81\x30", Font::kMain, true).width, 16);  // box and "0"
  EXPECT_EQ(surface.MeasureText("\xC4", Font::kMain, true).width, 8);       // cut short
  EXPECT_EQ(surface.MeasureText(std::string("ab\0cd", 5), Font::kMain, true).width, 16);

  const Rect box = InkOf("\xB0\xA1", {0, 0, 120, 16}, Format(HorizontalAlign::kLeft));  // 啊
  EXPECT_GT(box.width(), 8);
  EXPECT_LE(box.right, 16);
  const Rect narrow = ReferenceInk("\xFF", Font::kMain);
  EXPECT_GT(narrow.height(), 4);
  EXPECT_LE(narrow.right, 8);
}

}  // namespace
}  // namespace rolvi::platform
