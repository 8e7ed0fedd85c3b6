// The committed artwork: the sheet's file layout and atlas, the rules that let figures move
// without trails or seams, the cell tiles, the about-box bitmaps, the icon, and that the
// generator reproduces the committed sheet.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gfx/atlas.h"
#include "gfx/inflate.h"

namespace rolvi::gfx {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Unpacked with the game's own decoder, as the program does at start-up.
Bytes InflateRaw(const Bytes& packed) {
  Bytes out(303104);
  const gfx::InflateResult result = gfx::Inflate(packed, out);
  if (result.status != gfx::InflateStatus::kOk) return {};
  out.resize(result.written);
  return out;
}

std::uint32_t Le(const Bytes& b, std::size_t at, int width) {
  std::uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i)
    v = (v << 8) | b.at(at + static_cast<std::size_t>(i));
  return v;
}

struct Rgb {
  int r, g, b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The decoded sheet: colour-table lookups and pixels by picture coordinates (top row 0).
struct Sheet {
  Bytes file;

  int width() const { return static_cast<int>(Le(file, 18, 4)); }
  int height() const { return static_cast<int>(Le(file, 22, 4)); }
  std::uint8_t index(int x, int y) const {
    const std::size_t stride = 512;
    return file.at(Le(file, 10, 4) + static_cast<std::size_t>(height() - 1 - y) * stride +
                   static_cast<std::size_t>(x));
  }
  Rgb colour(int x, int y) const {
    const std::size_t entry = 54 + 4 * static_cast<std::size_t>(index(x, y));
    return {file.at(entry + 2), file.at(entry + 1), file.at(entry)};
  }
};

const Sheet& CommittedSheet() {
  static const Sheet sheet{InflateRaw(ReadFile(ROLVI_RES_DIR "/sprites.deflate"))};
  return sheet;
}

// The atlas regions are the game's own.
using Region = SpriteRect;

bool SameRegion(const Sheet& s, Region a, Region b) {
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      if (s.index(a.x + x, a.y + y) != s.index(b.x + x, b.y + y)) return false;
    }
  }
  return true;
}

TEST(SpriteArt, SheetStreamDecodesToTheAtlasBmp) {
  const Bytes& f = CommittedSheet().file;
  ASSERT_EQ(f.size(), 300598u);
  EXPECT_EQ(f[0], 'B');
  EXPECT_EQ(f[1], 'M');
  EXPECT_EQ(Le(f, 2, 4), 300598u);
  EXPECT_EQ(Le(f, 10, 4), 1078u);
  EXPECT_EQ(Le(f, 14, 4), 40u);
  EXPECT_EQ(Le(f, 18, 4), 511u);
  EXPECT_EQ(Le(f, 22, 4), 585u);
  EXPECT_EQ(Le(f, 26, 2), 1u);
  EXPECT_EQ(Le(f, 28, 2), 8u);
  EXPECT_EQ(Le(f, 30, 4), 0u);
  EXPECT_EQ(Le(f, 34, 4), 299520u);
  EXPECT_EQ(Le(f, 46, 4), 0u);
}

TEST(SpriteArt, KingFramesAreSeparatedByWhiteColumns) {
  const Sheet& s = CommittedSheet();
  for (int x = 0; x <= 438; x += 73) {
    for (int y = 0; y < 100; ++y)
      ASSERT_EQ(s.colour(x, y), (Rgb{255, 255, 255})) << x << "," << y;
  }
  // The frames themselves stand on black next to the separators.
  for (int k = 0; k < 7; ++k)
    EXPECT_EQ(s.colour(KingSprite(k).x, 0), (Rgb{0, 0, 0}));
}

// Row 0 of the first King frame is background.
int BlackIndex(const Sheet& s) {
  return s.index(KingSprite(0).x, 0);
}

// A column of the screen the way the game draws one figure: foot plate, the pillar's top
// rows, the body (or overlay) at `offset` pixels below the top.
class FigureColumn {
 public:
  FigureColumn(const Sheet& sheet, int body_dx, Region body)
      : sheet_(sheet),
        body_dx_(body_dx),
        body_(body),
        pixels_(kWidth * kHeight, BlackIndex(sheet)) {}

  void FullDraw(int offset) {
    Copy(kPillarFootSprite, 0, kHeight - 9, 9);
    Copy(kPillarSprite, 6, kHeight - 134 + offset, 125 - offset);
    Body(offset);
  }
  void Body(int offset) { Copy(body_, body_dx_, kHeight - 234 + offset, body_.height); }
  void Overlay(int offset, int frame) {
    Copy(CrownSprite(frame), body_dx_, kHeight - 228 + offset, 65);
  }
  const std::vector<int>& pixels() const { return pixels_; }

 private:
  static constexpr int kLeft = 16;  // screen columns left of the foot plate
  static constexpr int kWidth = 100;
  static constexpr int kHeight = 240;

  void Copy(Region from, int dx, int dy, int rows) {
    for (int y = 0; y < rows; ++y) {
      for (int x = 0; x < from.width; ++x) {
        pixels_[static_cast<std::size_t>((dy + y) * kWidth + kLeft + dx + x)] =
            sheet_.index(from.x + x, from.y + y);
      }
    }
  }

  const Sheet& sheet_;
  int body_dx_;
  Region body_;
  std::vector<int> pixels_;
};

TEST(SpriteArt, PlayerRisingPixelByPixelLooksLikeAFullRepaint) {
  const Sheet& s = CommittedSheet();
  FigureColumn animated(s, -10, kPlayerSprite);
  animated.FullDraw(125);
  for (int offset = 124; offset >= 0; --offset)
    animated.Body(offset);
  FigureColumn repainted(s, -10, kPlayerSprite);
  repainted.FullDraw(0);
  EXPECT_EQ(animated.pixels(), repainted.pixels());
}

TEST(SpriteArt, KingSinkingAndClimbingBackLooksLikeAFullRepaint) {
  const Sheet& s = CommittedSheet();
  for (const int frame : {0, 6}) {
    FigureColumn animated(s, -1, KingSprite(frame));
    animated.FullDraw(0);
    for (int offset = 1; offset <= 61; ++offset)
      animated.Body(offset);
    FigureColumn repainted(s, -1, KingSprite(frame));
    repainted.FullDraw(61);
    // Sinking covers the pillar's top rows and leaves the body's blank top rows behind.
    EXPECT_EQ(animated.pixels(), repainted.pixels()) << "frame " << frame;
    // Climbing back in steps of four leaves four rows of the body's bottom behind each time.
    for (int offset = 57; offset >= 0; offset -= 4)
      animated.Body(std::max(offset, 0));
    animated.Body(0);
    FigureColumn top(s, -1, KingSprite(frame));
    top.FullDraw(0);
    EXPECT_EQ(animated.pixels(), top.pixels()) << "frame " << frame;
  }
}

TEST(SpriteArt, PlayerGoingDownInStepsOfFourLeavesNoTrail) {
  const Sheet& s = CommittedSheet();
  FigureColumn animated(s, -10, kPlayerSprite);
  animated.FullDraw(0);
  for (int offset = 4; offset < 125; offset += 4)
    animated.Body(offset);
  animated.Body(125);
  FigureColumn repainted(s, -10, kPlayerSprite);
  repainted.FullDraw(125);
  // Each step leaves the body's four top rows behind, which must be background.
  EXPECT_EQ(animated.pixels(), repainted.pixels());
}

TEST(SpriteArt, CrownOverlaysSitSeamlesslyOnThePlayer) {
  const Sheet& s = CommittedSheet();
  // Frame 1 is the bare-headed Player exactly.
  EXPECT_TRUE(SameRegion(s, CrownSprite(1), {kPlayerSprite.x, kPlayerSprite.y + 6, 50, 65}));
  // Each later frame adds to the crown; 5 and 6 differ (the raised sword).
  for (int j = 2; j <= 6; ++j)
    EXPECT_FALSE(SameRegion(s, CrownSprite(j - 1), CrownSprite(j))) << j;
  // Along the overlay's right and bottom border the overlay matches the body in every frame,
  // so no seam shows where it ends.
  for (int j = 1; j <= 6; ++j) {
    const Region o = CrownSprite(j);
    for (int y = 0; y < 65; ++y) {
      EXPECT_EQ(s.index(o.x + 49, o.y + y), s.index(kPlayerSprite.x + 49, kPlayerSprite.y + 6 + y))
          << j;
    }
    for (int x = 0; x < 50; ++x) {
      EXPECT_EQ(s.index(o.x + x, o.y + 64), s.index(kPlayerSprite.x + x, kPlayerSprite.y + 70))
          << j;
    }
  }
}

double Luminance(Rgb c) {
  return 0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b;
}

TEST(SpriteArt, CellTilesHaveRaisedEdgesAndOneEmptyTile) {
  const Sheet& s = CommittedSheet();
  for (int frame = 1; frame < 10; ++frame)
    EXPECT_TRUE(SameRegion(s, CellTile(0, 0), CellTile(0, frame)));
  for (int colour = 0; colour < 8; ++colour) {
    for (int frame = 0; frame < 10; ++frame) {
      const Region t = CellTile(colour, frame);
      for (int i = 2; i < 34; ++i) {
        EXPECT_GT(Luminance(s.colour(t.x + i, t.y)), Luminance(s.colour(t.x + i, t.y + 35)));
        EXPECT_GT(Luminance(s.colour(t.x, t.y + i)), Luminance(s.colour(t.x + 35, t.y + i)));
      }
    }
  }
}

TEST(SpriteArt, BallColoursDifferInLightnessToo) {
  const Sheet& s = CommittedSheet();
  std::vector<double> lightness;
  for (int colour = 1; colour <= 7; ++colour) {
    const Region t = CellTile(colour, 0);
    double sum = 0;
    for (int y = 12; y < 28; ++y) {
      for (int x = 10; x < 26; ++x)
        sum += Luminance(s.colour(t.x + x, t.y + y));
    }
    lightness.push_back(sum / 256.0);
  }
  // Green against red and yellow against cyan must part for players who cannot tell the hues.
  EXPECT_GT(std::abs(lightness[0] - lightness[1]), 15.0);
  EXPECT_GT(std::abs(lightness[3] - lightness[4]), 8.0);
  EXPECT_GT(std::abs(lightness[1] - lightness[6]), 8.0);
}

TEST(SpriteArt, AboutPictureAndMaskFitTogether) {
  const Bytes pic = ReadFile(ROLVI_RES_DIR "/about.bmp");
  const Bytes mask = ReadFile(ROLVI_RES_DIR "/about_mask.bmp");
  ASSERT_GE(pic.size(), 78u);
  ASSERT_GE(mask.size(), 62u);
  EXPECT_EQ(Le(pic, 18, 4), 67u);
  EXPECT_EQ(Le(pic, 22, 4), 50u);
  EXPECT_EQ(Le(pic, 28, 2), 4u);
  EXPECT_EQ(Le(pic, 46, 4), 6u);
  EXPECT_EQ(Le(mask, 18, 4), 67u);
  EXPECT_EQ(Le(mask, 22, 4), 50u);
  EXPECT_EQ(Le(mask, 28, 2), 1u);
  const std::vector<std::uint32_t> table = {0xFFFFFF, 0xAAAAAA, 0xAAAAAA,
                                            0xAAAAAA, 0x555555, 0x000000};
  for (std::size_t i = 0; i < table.size(); ++i)
    EXPECT_EQ(Le(pic, 54 + 4 * i, 3), table[i]) << i;
  ASSERT_EQ(pic.size(), Le(pic, 10, 4) + 36u * 50u);
  ASSERT_EQ(mask.size(), Le(mask, 10, 4) + 12u * 50u);
  // The picture is ORed after the mask is ANDed: wherever the dialog shows through, the
  // picture must be black (entry 5), or it would tint the dialog.
  int picture_pixels = 0;
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 67; ++x) {
      const std::uint8_t byte =
          pic[Le(pic, 10, 4) + static_cast<std::size_t>(y) * 36 + static_cast<std::size_t>(x / 2)];
      const int p = (x % 2 == 0) ? byte >> 4 : byte & 0x0F;
      const std::uint8_t mbyte = mask[Le(mask, 10, 4) + static_cast<std::size_t>(y) * 12 +
                                      static_cast<std::size_t>(x / 8)];
      const bool dialog = ((mbyte >> (7 - x % 8)) & 1) != 0;
      if (dialog) {
        EXPECT_EQ(p, 5) << x << "," << y;
      } else {
        ++picture_pixels;
      }
    }
  }
  EXPECT_GT(picture_pixels, 67 * 50 / 5);
}

TEST(SpriteArt, IconIsOne32By32SixteenColourImage) {
  const Bytes ico = ReadFile(ROLVI_RES_DIR "/rolvi.ico");
  ASSERT_EQ(ico.size(), 6u + 16u + 40u + 64u + 512u + 128u);
  EXPECT_EQ(Le(ico, 2, 2), 1u);
  EXPECT_EQ(Le(ico, 4, 2), 1u);
  EXPECT_EQ(ico[6], 32);
  EXPECT_EQ(ico[7], 32);
  EXPECT_EQ(ico[8], 16);
  EXPECT_EQ(Le(ico, 22 + 8, 4), 64u);  // the DIB counts both masks
  EXPECT_EQ(Le(ico, 22 + 14, 2), 4u);
}

// Run by the artgen_regenerates_committed_art test with the generator's fresh output.
TEST(SpriteArt, RegeneratedSheetHasTheCommittedPixels) {
  const char* dir = std::getenv("ROLVI_ARTGEN_OUTPUT");
  if (dir == nullptr)
    GTEST_SKIP() << "needs the generator's output (artgen_regenerates_committed_art)";
  const Sheet fresh{InflateRaw(ReadFile(std::string(dir) + "/sprites.deflate"))};
  const Sheet& committed = CommittedSheet();
  ASSERT_EQ(fresh.file.size(), committed.file.size());
  for (int y = 0; y < 585; ++y) {
    for (int x = 0; x < 511; ++x) {
      ASSERT_EQ(fresh.colour(x, y), committed.colour(x, y)) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace rolvi::gfx
