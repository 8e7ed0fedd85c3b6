// The sprite sheet: loading it (its palette from the picture's colour table, a stream that
// does not decode), and the committed artwork as the program loads it: the rules that let
// figures move without trails or seams, the cell tiles, and the about box's picture and mask.
#include "gfx/sprite_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "gfx/atlas.h"
#include "platform/software/soft_image.h"
#include "platform/software/soft_surface.h"
#include "support/program_assets.h"

namespace rolvi::gfx {
namespace {

using platform::SoftImage;
using platform::UnpackRgb;
using Region = SpriteRect;

// The committed sheet as the program loads it.
const SpriteSheet& Sheet() {
  static const SpriteSheet sheet = [] {
    SpriteSheet loaded;
    platform::SoftSurface display(1, 1);
    EXPECT_EQ(LoadSpriteSheet(display, testing::ProgramAssets().sheet_stream, loaded),
              SheetLoad::kLoaded);
    return loaded;
  }();
  return sheet;
}

// The sheet's pixel (0x00RRGGBB) at picture coordinates, top row 0.
std::uint32_t At(int x, int y) {
  return static_cast<const SoftImage&>(*Sheet().bitmap).pixel(x, y);
}

bool SameRegion(Region a, Region b) {
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      if (At(a.x + x, a.y + y) != At(b.x + x, b.y + y)) return false;
    }
  }
  return true;
}

double Luminance(std::uint32_t pixel) {
  const platform::Rgb c = UnpackRgb(pixel);
  return 0.2126 * c.red + 0.7152 * c.green + 0.0722 * c.blue;
}

class SpriteArt : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(Sheet().bitmap, nullptr); }
};

TEST_F(SpriteArt, EveryAtlasRegionLiesInsideTheSheet) {
  std::vector<Region> regions = {kPlayerSprite, kPillarSprite, kPillarFootSprite};
  for (int frame = 0; frame < kKingFrames; ++frame)
    regions.push_back(KingSprite(frame));
  for (int frame = 1; frame <= 6; ++frame)
    regions.push_back(CrownSprite(frame));
  for (int tile = 0; tile < 8 * kCellFrames; ++tile)
    regions.push_back(CellTile(tile / kCellFrames, tile % kCellFrames));
  EXPECT_TRUE(Sheet().palette);
  const platform::Size sheet = Sheet().bitmap->size();
  EXPECT_EQ(sheet, (platform::Size{511, 585}));
  for (const Region& r : regions) {
    EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.width <= sheet.width &&
                r.y + r.height <= sheet.height)
        << r.x << "," << r.y << " " << r.width << "x" << r.height;
  }
}

TEST_F(SpriteArt, KingFramesAreSeparatedByWhiteColumns) {
  // The frames themselves stand on black next to the separators.
  for (int k = 0; k < kKingFrames; ++k) {
    EXPECT_EQ(At(KingSprite(k).x, 0), 0u);
    for (int y = 0; y < 100; ++y)
      ASSERT_EQ(At(KingSprite(k).x - 1, y), 0xFFFFFFu) << k << "," << y;
  }
}

// A column of the screen the way the game draws one figure: foot plate, the pillar's top
// rows, the body (or overlay) at `offset` pixels below the top.
class FigureColumn {
 public:
  FigureColumn(int body_dx, Region body) : body_dx_(body_dx), body_(body) {}

  void FullDraw(int offset) {
    Copy(kPillarFootSprite, 0, kHeight - 9, 9);
    Copy(kPillarSprite, 6, kHeight - 134 + offset, 125 - offset);
    Body(offset);
  }
  void Body(int offset) { Copy(body_, body_dx_, kHeight - 234 + offset, body_.height); }
  const std::vector<std::uint32_t>& pixels() const { return pixels_; }

 private:
  static constexpr int kLeft = 16;  // screen columns left of the foot plate
  static constexpr int kWidth = 100;
  static constexpr int kHeight = 240;

  void Copy(Region from, int dx, int dy, int rows) {
    for (int y = 0; y < rows; ++y) {
      for (int x = 0; x < from.width; ++x) {
        pixels_[static_cast<std::size_t>((dy + y) * kWidth + kLeft + dx + x)] =
            At(from.x + x, from.y + y);
      }
    }
  }
  int body_dx_;
  Region body_;
  std::vector<std::uint32_t> pixels_ = std::vector<std::uint32_t>(kWidth * kHeight, 0);  // black
};

// Moves a figure's body from offset `from` to `to` in steps of `step` pixels, drawing only the
// body as the animation does, and compares the column with a full paint at `to`: each step
// leaves rows of the last body behind (its blank top rows going down, its bottom rows going
// up), which the body's art must make look like what a full paint shows there.
void ExpectLikeAFullRepaint(int body_dx, Region body, int from, int to, int step) {
  FigureColumn animated(body_dx, body);
  animated.FullDraw(from);
  for (int offset = from; offset != to;) {
    offset = step > 0 ? std::min(offset + step, to) : std::max(offset + step, to);
    animated.Body(offset);
  }
  FigureColumn repainted(body_dx, body);
  repainted.FullDraw(to);
  EXPECT_EQ(animated.pixels(), repainted.pixels())
      << "body at " << body.x << "," << body.y << " from " << from << " to " << to;
}

TEST_F(SpriteArt, FiguresMovedByTheirBodyAloneLookLikeAFullRepaint) {
  // The Player rises a pixel at a time and goes down in steps of four; the King, crowned or
  // seated, sinks a pixel at a time (covering the pillar's top rows) and climbs back in steps
  // of four.
  ExpectLikeAFullRepaint(-10, kPlayerSprite, 125, 0, -1);
  ExpectLikeAFullRepaint(-10, kPlayerSprite, 0, 125, 4);
  for (const int frame : {0, 6}) {
    ExpectLikeAFullRepaint(-1, KingSprite(frame), 0, 61, 1);
    ExpectLikeAFullRepaint(-1, KingSprite(frame), 61, 0, -4);
  }
}

TEST_F(SpriteArt, CrownOverlaysSitSeamlesslyOnThePlayer) {
  // Frame 1 is the bare-headed Player exactly.
  EXPECT_TRUE(SameRegion(CrownSprite(1), {kPlayerSprite.x, kPlayerSprite.y + 6, 50, 65}));
  // Each later frame adds to the crown; 5 and 6 differ (the raised sword).
  for (int j = 2; j <= 6; ++j)
    EXPECT_FALSE(SameRegion(CrownSprite(j - 1), CrownSprite(j))) << j;
  // Along the overlay's right and bottom border the overlay matches the body in every frame,
  // so no seam shows where it ends.
  for (int j = 1; j <= 6; ++j) {
    const Region o = CrownSprite(j);
    for (int y = 0; y < 65; ++y) {
      EXPECT_EQ(At(o.x + 49, o.y + y), At(kPlayerSprite.x + 49, kPlayerSprite.y + 6 + y)) << j;
    }
    for (int x = 0; x < 50; ++x) {
      EXPECT_EQ(At(o.x + x, o.y + 64), At(kPlayerSprite.x + x, kPlayerSprite.y + 70)) << j;
    }
  }
}

TEST_F(SpriteArt, CellTilesHaveRaisedEdgesAndOneEmptyTile) {
  for (int frame = 1; frame < kCellFrames; ++frame)
    EXPECT_TRUE(SameRegion(CellTile(0, 0), CellTile(0, frame)));
  for (int colour = 0; colour < 8; ++colour) {
    for (int frame = 0; frame < kCellFrames; ++frame) {
      const Region t = CellTile(colour, frame);
      for (int i = 2; i < 34; ++i) {
        EXPECT_GT(Luminance(At(t.x + i, t.y)), Luminance(At(t.x + i, t.y + 35)));
        EXPECT_GT(Luminance(At(t.x, t.y + i)), Luminance(At(t.x + 35, t.y + i)));
      }
    }
  }
}

// The highest row of a cell tile where the ball covers the empty tile: the top of the ball.
int BallTop(int colour, int frame) {
  const Region ball = CellTile(colour, frame);
  const Region empty = CellTile(0, 0);
  for (int y = 0; y < ball.height; ++y) {
    for (int x = 0; x < ball.width; ++x) {
      if (At(ball.x + x, ball.y + y) != At(empty.x + x, empty.y + y)) return y;
    }
  }
  return ball.height;
}

TEST_F(SpriteArt, TheJumpLandsOnTheBallAtRest) {
  for (int colour = 1; colour <= 7; ++colour) {
    // A moved ball ends on frame 5 and keeps it until its cell is drawn again: it must look
    // like every other ball on the board.
    EXPECT_TRUE(SameRegion(CellTile(colour, 5), CellTile(colour, 0))) << colour;
    // Frames 1 to 4 make the jump: the ball rises, is highest in frame 2, comes down and
    // lands squashed, lower than at rest, in frame 4.
    EXPECT_LT(BallTop(colour, 1), BallTop(colour, 0)) << colour;
    EXPECT_LT(BallTop(colour, 2), BallTop(colour, 1)) << colour;
    EXPECT_GT(BallTop(colour, 3), BallTop(colour, 2)) << colour;
    EXPECT_GT(BallTop(colour, 4), BallTop(colour, 0)) << colour;
  }
}

TEST_F(SpriteArt, BallColoursDifferInLightnessToo) {
  std::vector<double> lightness;
  for (int colour = 1; colour <= 7; ++colour) {
    const Region t = CellTile(colour, 0);
    double sum = 0;
    for (int y = 12; y < 28; ++y) {
      for (int x = 10; x < 26; ++x)
        sum += Luminance(At(t.x + x, t.y + y));
    }
    lightness.push_back(sum / 256.0);
  }
  // Green against red and yellow against cyan must part for players who cannot tell the hues.
  EXPECT_GT(std::abs(lightness[0] - lightness[1]), 15.0);
  EXPECT_GT(std::abs(lightness[3] - lightness[4]), 8.0);
  EXPECT_GT(std::abs(lightness[1] - lightness[6]), 8.0);
}

TEST(AboutArt, ThePictureIsBlackWhereverItsMaskLetsTheDialogShowThrough) {
  // The mask is ANDed, then the picture ORed: where the mask is white the dialog stays, and a
  // picture pixel that is not black there would tint it.
  const auto picture = SoftImage::FromDib(testing::ProgramAssets().about_picture);
  const auto mask = SoftImage::FromDib(testing::ProgramAssets().about_mask);
  ASSERT_TRUE(picture && mask);
  ASSERT_EQ(picture->size(), mask->size());
  int picture_pixels = 0;
  for (int y = 0; y < picture->height(); ++y) {
    for (int x = 0; x < picture->width(); ++x) {
      if (mask->pixel(x, y) == 0xFFFFFF) {
        EXPECT_EQ(picture->pixel(x, y), 0u) << x << "," << y;
      } else {
        ++picture_pixels;
      }
    }
  }
  EXPECT_GT(picture_pixels, picture->width() * picture->height() / 5);
  EXPECT_LT(picture_pixels, picture->width() * picture->height());
}

// A picture file of 2 by 1 pixels at 8 bits with `colours` table entries.
std::vector<std::uint8_t> TinyPicture(std::uint32_t colours_used, std::size_t table_entries) {
  std::vector<std::uint8_t> file(54 + 4 * table_entries + 4, 0);
  file[0] = 'B';
  file[1] = 'M';
  const std::uint32_t offset = static_cast<std::uint32_t>(54 + 4 * table_entries);
  for (int i = 0; i < 4; ++i)
    file[10 + i] = static_cast<std::uint8_t>(offset >> (8 * i));
  file[14] = 40;
  file[18] = 2;
  file[22] = 1;
  file[26] = 1;
  file[28] = 8;
  for (int i = 0; i < 4; ++i)
    file[46 + i] = static_cast<std::uint8_t>(colours_used >> (8 * i));
  return file;
}

TEST(SpriteSheetTest, PaletteEntriesComeFromTheColourTableWithRedAndBlueSwapped) {
  std::array<platform::PaletteEntry, 256> entries;
  // No count: the table holds all that 8 bits index.
  std::vector<std::uint8_t> file = TinyPicture(0, 256);
  file[54] = 0x10;  // blue
  file[55] = 0x20;  // green
  file[56] = 0x30;  // red
  file[57] = 0x83;  // reserved, kept
  EXPECT_EQ(ReadPictureColours(file, entries), 256u);
  EXPECT_EQ(entries[0], (platform::PaletteEntry{0x30, 0x20, 0x10, 0x83}));
  EXPECT_EQ(ReadPictureColours(TinyPicture(6, 6), entries), 6u);
  // A table cut short by the end of the file gives none rather than reading past it.
  EXPECT_EQ(ReadPictureColours(TinyPicture(0, 6), entries), 0u);
}

TEST(SpriteSheetTest, BrokenStreamFailsWithoutABitmap) {
  platform::SoftSurface surface(10, 10);
  SpriteSheet sheet;
  const std::vector<std::uint8_t> broken = {0xFF, 0xFF, 0xFF};  // block type 3
  EXPECT_EQ(LoadSpriteSheet(surface, broken, sheet), SheetLoad::kBadStream);
  EXPECT_FALSE(sheet.bitmap);
  // Copies from a sheet without a bitmap bring nothing and do not fail.
  DrawSprite(surface, sheet, CellTile(1, 0), 0, 0);
  EXPECT_EQ(surface.GetPixel(0, 0), platform::kBlack);
}

}  // namespace
}  // namespace rolvi::gfx
