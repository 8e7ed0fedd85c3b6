#include "gfx/figures.h"

#include <gtest/gtest.h>

#include "platform/ink.h"
#include "platform/software/soft_surface.h"
#include "support/synthetic_sheet.h"

namespace rolvi::gfx {
namespace {

using platform::Rgb;
using platform::SoftSurface;

constexpr Rgb kBackground{7, 7, 7};
constexpr platform::Point kBase{100, 300};

Rgb At(const SoftSurface& surface, int x, int y) {
  return surface.GetPixel(x, y).value();
}

class FiguresTest : public ::testing::Test {
 protected:
  SoftSurface surface{300, 340, kBackground};
  const SpriteSheet sheet = testing::SyntheticSheet();
  static constexpr int x = kBase.x;
  static constexpr int y = kBase.y;
};

TEST_F(FiguresTest, FullKingHasFootPillarPlateAndBody) {
  const game::FigureState figures{.kingOffset = 40, .kingFrame = 3};
  DrawKing(surface, sheet, kBase, figures, "AB", game::FigureParts::kAll);
  // Foot plate 58 by 9 right above the anchor.
  EXPECT_EQ(At(surface, x, y - 9), testing::kFootColour);
  EXPECT_EQ(At(surface, x + 57, y - 1), testing::kFootColour);
  EXPECT_EQ(At(surface, x + 58, y - 1), kBackground);
  // The pillar's top 125 - 40 rows, 6 pixels in, ending on the foot plate.
  EXPECT_EQ(At(surface, x + 6, y - 134 + 40), testing::kPillarColour);
  EXPECT_EQ(At(surface, x + 50, y - 10), testing::kPillarColour);
  EXPECT_EQ(At(surface, x + 51, y - 10), kBackground);
  // The body on top of the pillar.
  EXPECT_EQ(At(surface, x - 1, y - 234 + 40), testing::KingColour(3));
  EXPECT_EQ(At(surface, x + 70, y - 135 + 40), testing::KingColour(3));
  EXPECT_EQ(At(surface, x - 2, y - 200), kBackground);
  // The name plate: black from (x - 16, y + 8) to (x + 74, y + 24), white text inside.
  EXPECT_EQ(At(surface, x - 16, y + 8), platform::kBlack);
  EXPECT_EQ(At(surface, x + 73, y + 23), platform::kBlack);
  EXPECT_EQ(At(surface, x + 74, y + 23), kBackground);
  const platform::Rect text = testing::InkBounds(surface, platform::kWhite);
  EXPECT_GE(text.top, y + 8);
  EXPECT_LE(text.bottom, y + 24);
  EXPECT_NEAR((text.left + text.right) / 2, x + 29, 1);  // centred in the plate
}

TEST_F(FiguresTest, PlateShowsTheLongestNamesWhole) {
  // Thirteen capitals W, the widest name a record holds, and the default King's Chinese name.
  for (const char* name : {"WWWWWWWWWWWWW", " \xB9\xFA  \xCD\xF5 ", "Jiggly Puppy"}) {
    surface.FillRect({0, 0, 300, 340}, kBackground);
    DrawKing(surface, sheet, kBase, {}, name, game::FigureParts::kAll);
    const platform::Rect plate{x - 16, y + 8, x + 74, y + 24};
    const platform::Rect text = testing::InkBounds(surface, platform::kWhite);
    ASSERT_NE(text, platform::Rect{}) << name;
    // At least 2 pixels of black on either side: a clipped name would reach the plate's
    // edges. Top and bottom keep a pixel too.
    EXPECT_GE(text.left - plate.left, 2) << name;
    EXPECT_GE(plate.right - text.right, 2) << name;
    EXPECT_GE(text.top - plate.top, 1) << name;
    EXPECT_GE(plate.bottom - text.bottom, 1) << name;
    EXPECT_NEAR(text.left - plate.left, plate.right - text.right, 2) << name;
  }
}

TEST_F(FiguresTest, PlateShowsAnAmpersandInTheNameAsItIs) {
  // Every letter of the plate's font is 6 pixels wide: "Tom&Jerry" is one letter wider than
  // "TomJerry", as a name is drawn as entered and "&" marks no underlined letter.
  const auto ink = [&](const char* name) {
    surface.FillRect({0, 0, 300, 340}, kBackground);
    DrawKing(surface, sheet, kBase, {}, name, game::FigureParts::kAll);
    return testing::InkBounds(surface, platform::kWhite);
  };
  const platform::Rect with = ink("Tom&Jerry");
  const platform::Rect without = ink("TomJerry");
  EXPECT_EQ(with.width() - without.width(), 6);
  EXPECT_EQ(with.bottom, without.bottom);  // and no underline below the letters
}

TEST_F(FiguresTest, BodyOnlyDrawLeavesPillarAndPlateAlone) {
  DrawKing(surface, sheet, kBase, {.kingOffset = 125, .kingFrame = 6}, "x",
           game::FigureParts::kBodyOnly);
  EXPECT_EQ(testing::CountPixels(surface, testing::kFootColour), 0);
  EXPECT_EQ(testing::CountPixels(surface, testing::kPillarColour), 0);
  EXPECT_EQ(testing::CountPixels(surface, testing::KingColour(6)), 72 * 100);
  EXPECT_EQ(At(surface, x - 1, y - 109), testing::KingColour(6));
}

TEST_F(FiguresTest, PlayerCrownOverlayCoversTheLeftOfHisBody) {
  DrawPlayer(surface, sheet, kBase, {.playerOffset = 0, .crownFrame = 0}, "x",
             game::FigureParts::kBodyOnly, game::BodyUnderCrown::kLeave);
  EXPECT_EQ(testing::CountPixels(surface, testing::kPlayerColour), 72 * 100);
  EXPECT_EQ(At(surface, x - 10, y - 234), testing::kPlayerColour);

  // With the crown appearing only the overlay is drawn, 6 rows below the body's top.
  DrawPlayer(surface, sheet, kBase, {.playerOffset = 0, .crownFrame = 4}, "x",
             game::FigureParts::kBodyOnly, game::BodyUnderCrown::kLeave);
  EXPECT_EQ(testing::CountPixels(surface, testing::CrownColour(4)), 50 * 65);
  EXPECT_EQ(At(surface, x - 10, y - 228), testing::CrownColour(4));
  EXPECT_EQ(At(surface, x - 10, y - 229), testing::kPlayerColour);
  EXPECT_EQ(At(surface, x + 39, y - 164), testing::CrownColour(4));
  EXPECT_EQ(At(surface, x + 40, y - 200), testing::kPlayerColour);

  // A full paint draws the body first, then the overlay.
  SoftSurface painted(300, 340, kBackground);
  DrawPlayer(painted, sheet, kBase, {.playerOffset = 0, .crownFrame = 6}, "x",
             game::FigureParts::kAll, game::BodyUnderCrown::kDraw);
  EXPECT_EQ(At(painted, x - 10, y - 234), testing::kPlayerColour);
  EXPECT_EQ(At(painted, x - 10, y - 228), testing::CrownColour(6));
}

}  // namespace
}  // namespace rolvi::gfx
