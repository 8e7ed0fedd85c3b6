// The colour measures behind the ball symbols' checks: CIEDE2000 against published reference
// pairs, CIELAB's white point, and dichromat simulations that leave greys alone (a mistyped
// matrix entry would tint them) while they merge what such eyes cannot tell apart.
#include "colour_vision/colour_vision.h"

#include <gtest/gtest.h>

namespace rolvi::colour {
namespace {

// Sharma, Wu and Dalal's test data for CIEDE2000 (2005), pairs 1, 7, 13, 17, 18 and 22: hue
// wrapping, a neutral colour, the blue region's rotation term, and large differences.
TEST(ColourVisionTest, DeltaE2000MatchesTheReferencePairs) {
  struct Pair {
    Lab first;
    Lab second;
    double difference;
  };
  const Pair pairs[] = {
      {{50, 2.6772, -79.7751}, {50, 0, -82.7485}, 2.0425},
      {{50, 0, 0}, {50, -1, 2}, 2.3669},
      {{50, 2.49, -0.001}, {50, -2.49, 0.0009}, 7.1792},
      {{50, 2.5, 0}, {73, 25, -18}, 27.1492},
      {{50, 2.5, 0}, {61, -5, 29}, 22.8977},
      {{50, 2.5, 0}, {50, 3.1736, 0.5854}, 1.0},
  };
  for (const Pair& pair : pairs) {
    EXPECT_NEAR(DeltaE2000(pair.first, pair.second), pair.difference, 1e-4);
    EXPECT_NEAR(DeltaE2000(pair.second, pair.first), pair.difference, 1e-4);
  }
  EXPECT_NEAR(DeltaE76({50, 0, 0}, {53, 4, 0}), 5.0, 1e-12);
}

TEST(ColourVisionTest, WhiteIsTheLabWhitePointAndBlackItsZero) {
  const Lab white = ToLab(ToLinear(platform::kWhite));
  EXPECT_NEAR(white.lightness, 100, 1e-3);
  EXPECT_NEAR(white.a, 0, 1e-3);
  EXPECT_NEAR(white.b, 0, 1e-3);
  EXPECT_NEAR(ToLab(ToLinear(platform::kBlack)).lightness, 0, 1e-9);
  EXPECT_EQ(ToSrgb(ToLinear({12, 128, 250})), (platform::Rgb{12, 128, 250}));
}

TEST(ColourVisionTest, SimulationsKeepGreysAndMergeWhatEachDichromatConfuses) {
  for (const Vision vision : kVisions) {
    for (const std::uint8_t level : {0, 60, 128, 200, 255}) {
      const LinearRgb grey = ToLinear({level, level, level});
      const LinearRgb seen = Simulate(vision, grey);
      EXPECT_NEAR(seen.red, grey.red, 2e-3) << VisionName(vision) << " " << int{level};
      EXPECT_NEAR(seen.green, grey.green, 2e-3) << VisionName(vision) << " " << int{level};
      EXPECT_NEAR(seen.blue, grey.blue, 2e-3) << VisionName(vision) << " " << int{level};
    }
  }
  // For each dichromat a pair of colours far apart to most eyes that it sees nearly as one,
  // while the other two still tell them apart.
  struct Confusion {
    Vision vision;
    platform::Rgb first;
    platform::Rgb second;
  };
  const Confusion confusions[] = {
      {Vision::kProtanopia, {0, 120, 0}, {240, 60, 0}},
      {Vision::kDeuteranopia, {220, 100, 140}, {0, 180, 140}},
      {Vision::kTritanopia, {240, 80, 40}, {240, 20, 120}},
  };
  for (const Confusion& confusion : confusions) {
    const LinearRgb first = ToLinear(confusion.first);
    const LinearRgb second = ToLinear(confusion.second);
    for (const Vision vision :
         {Vision::kNormal, Vision::kProtanopia, Vision::kDeuteranopia, Vision::kTritanopia}) {
      const double seen =
          DeltaE2000(ToLab(Simulate(vision, first)), ToLab(Simulate(vision, second)));
      if (vision == confusion.vision) {
        EXPECT_LT(seen, 3) << VisionName(confusion.vision);
      } else {
        EXPECT_GT(seen, 10) << VisionName(confusion.vision) << " pair, " << VisionName(vision);
      }
    }
  }
}

}  // namespace
}  // namespace rolvi::colour
