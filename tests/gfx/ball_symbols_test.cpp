// The ball symbols: outlined pictures that sit on the ball in every frame of the committed
// artwork, drawn only when switched on, and telling every pair of colours apart for eyes
// without red, green or blue cones and in greyscale, where the colours alone do not.
#include "gfx/ball_symbols.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "colour_vision/ball_tiles.h"
#include "gfx/board_renderer.h"
#include "platform/software/soft_surface.h"
#include "support/synthetic_sheet.h"

namespace rolvi::gfx {
namespace {

using colour::kBallColours;
using colour::kTileSide;
using colour::Tile;
using colour::TileMask;
using colour::Vision;

// The frames that carry a symbol: at rest, the bounce, small and medium.
constexpr int kSymbolFrames = 8;
// A pixel of two tiles counts as different from this CIEDE2000 difference on: plainly
// visible, where the shading inside one ball already varies by about 10.
constexpr double kClearlyDifferent = 20;
constexpr double kLeastShare = 0.1;

std::size_t Index(int x, int y) {
  return static_cast<std::size_t>(y * kTileSide + x);
}

std::string Describe(int colour, int frame) {
  return "colour " + std::to_string(colour) + ", frame " + std::to_string(frame);
}

TEST(BallSymbolsTest, EveryPictureIsOutlinedAllRoundAndOnlyBallFramesCarryOne) {
  for (int colour = 1; colour <= kBallColours; ++colour) {
    for (int frame = 0; frame < kSymbolFrames; ++frame) {
      const auto place = PlaceSymbol(colour, frame);
      ASSERT_TRUE(place.has_value()) << Describe(colour, frame);
      const SymbolPicture& picture = *place->picture;
      EXPECT_EQ(picture.side, frame < 6 ? 13 : 9) << Describe(colour, frame);
      // The fill never touches the ball: it is white, and only its outline keeps it apart
      // from a yellow or a cyan ball.
      auto kind = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= picture.side || y >= picture.side) return '.';
        return picture.rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
      };
      for (int y = 0; y < picture.side; ++y) {
        ASSERT_EQ(picture.rows[static_cast<std::size_t>(y)].size(),
                  static_cast<std::size_t>(picture.side));
        for (int x = 0; x < picture.side; ++x) {
          const char c = kind(x, y);
          ASSERT_TRUE(c == 'X' || c == 'o' || c == '.') << Describe(colour, frame);
          if (c != 'o') continue;
          EXPECT_TRUE(kind(x - 1, y) != '.' && kind(x + 1, y) != '.' && kind(x, y - 1) != '.' &&
                      kind(x, y + 1) != '.')
              << Describe(colour, frame) << " at " << x << "," << y;
        }
      }
    }
    EXPECT_FALSE(PlaceSymbol(colour, 8).has_value());  // the bursts
    EXPECT_FALSE(PlaceSymbol(colour, 9).has_value());
    EXPECT_FALSE(PlaceSymbol(colour, -1).has_value());
  }
  EXPECT_FALSE(PlaceSymbol(0, 0).has_value());
  EXPECT_FALSE(PlaceSymbol(8, 0).has_value());
}

// The ball is where a tile differs from the tile of another colour in the same frame: the
// cell face and the shadow are the same under every colour. The white highlight may be the
// same too; the ball is round, so each row is filled between its outermost ball pixels.
TileMask BallFootprint(int colour, int frame) {
  const Tile tile = colour::DrawnTile(colour, frame, BallSymbols::kOff);
  TileMask ball{};
  for (int other = 1; other <= kBallColours; ++other) {
    if (other == colour) continue;
    const Tile against = colour::DrawnTile(other, frame, BallSymbols::kOff);
    for (std::size_t i = 0; i < ball.size(); ++i)
      ball[i] = ball[i] || !(tile.pixels[i] == against.pixels[i]);
  }
  for (int y = 0; y < kTileSide; ++y) {
    int x = 0;
    while (x < kTileSide && !ball[Index(x, y)])
      ++x;
    int last = kTileSide - 1;
    while (last > x && !ball[Index(last, y)])
      --last;
    for (; x < last; ++x)
      ball[Index(x, y)] = true;
  }
  return ball;
}

TEST(BallSymbolsTest, EachSymbolSitsInsideItsBallAndOnItsCentreInEveryFrame) {
  for (int colour = 1; colour <= kBallColours; ++colour) {
    for (int frame = 0; frame < kSymbolFrames; ++frame) {
      const TileMask ball = BallFootprint(colour, frame);
      const TileMask symbol = colour::SymbolMask(colour, frame);
      int ball_left = kTileSide, ball_right = 0, ball_top = kTileSide, ball_bottom = 0;
      int left = kTileSide, right = 0, top = kTileSide, bottom = 0;
      for (int y = 0; y < kTileSide; ++y) {
        for (int x = 0; x < kTileSide; ++x) {
          if (ball[Index(x, y)]) {
            ball_left = std::min(ball_left, x);
            ball_right = std::max(ball_right, x);
            ball_top = std::min(ball_top, y);
            ball_bottom = std::max(ball_bottom, y);
          }
          if (!symbol[Index(x, y)]) continue;
          left = std::min(left, x);
          right = std::max(right, x);
          top = std::min(top, y);
          bottom = std::max(bottom, y);
          // Ball colour stays on every side of the symbol.
          for (const auto& [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
            EXPECT_TRUE(ball[Index(x + dx, y + dy)])
                << Describe(colour, frame) << ": no ball at " << x + dx << "," << y + dy;
          }
        }
      }
      // Twice the centres, so that half pixels stay whole numbers.
      EXPECT_LE(std::abs((left + right) - (ball_left + ball_right)), 2) << Describe(colour, frame);
      EXPECT_LE(std::abs((top + bottom) - (ball_top + ball_bottom)), 2) << Describe(colour, frame);
    }
  }
}

TEST(BallSymbolsTest, SymbolsAreDrawnOnlyWhenSwitchedOnAndOnlyOverTheirBalls) {
  const SpriteSheet sheet = testing::SyntheticSheet();
  const platform::Point origin{10, 20};
  const platform::Rect cell{origin.x + 2 + 36 * 3, origin.y + 2 + 36 * 4, origin.x + 2 + 36 * 4,
                            origin.y + 2 + 36 * 5};
  for (int frame = 0; frame < 10; ++frame) {
    for (const game::CellCode code : {game::CellCode{game::kEmpty}, game::CellCode{game::kGreen},
                                      game::CellCode{game::kBrown}}) {
      platform::SoftSurface plain(400, 400), marked(400, 400);
      DrawCell(plain, sheet, origin, 3, 4, code, frame);
      DrawCell(marked, sheet, origin, 3, 4, static_cast<game::CellCode>(code | game::kRemovalMark),
               frame, BallSymbols::kOn);
      const TileMask symbol = colour::SymbolMask(code, frame);
      for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 400; ++x) {
          const bool inside = x >= cell.left && x < cell.right && y >= cell.top && y < cell.bottom;
          const bool covered = inside && symbol[Index(x - cell.left, y - cell.top)];
          const platform::Rgb shown = *marked.GetPixel(x, y);
          if (covered) {
            EXPECT_TRUE(shown == kSymbolOutline || shown == kSymbolFill);
          } else {
            ASSERT_EQ(shown, *plain.GetPixel(x, y))
                << "code " << int{code} << ", frame " << frame << " at " << x << "," << y;
          }
        }
      }
    }
  }

  // The preview switched off shows empty tiles without symbols.
  platform::SoftSurface off(200, 50), on(200, 50);
  const game::NextBalls next{{game::kRed, game::kYellow, game::kCyan}};
  DrawNextBalls(off, sheet, {5, 5}, next, false);
  DrawNextBalls(on, sheet, {5, 5}, next, false, BallSymbols::kOn);
  EXPECT_TRUE(std::ranges::equal(on.pixels(), off.pixels()));
  DrawNextBalls(on, sheet, {5, 5}, next, true, BallSymbols::kOn);
  EXPECT_EQ(*on.GetPixel(5 + 36 + 14 + 4, 5 + 14), kSymbolOutline);  // the star's tip
}

// What the symbols are for: under deuteranopia the green and the red ball have nearly one
// colour, and without symbols the same measure finds almost no pixel that tells them apart.
TEST(BallSymbolsTest, WithoutSymbolsGreenAndRedLookAlikeToADeuteranope) {
  const auto plain = colour::BallTiles(0, BallSymbols::kOff);
  const TileMask heart = colour::SymbolMask(game::kRed, 0);
  EXPECT_LT(
      colour::DifferingShare(plain[1], plain[0], heart, Vision::kDeuteranopia, kClearlyDifferent),
      kLeastShare);
  EXPECT_GT(colour::DifferingShare(plain[1], plain[0], heart, Vision::kNormal, kClearlyDifferent),
            0.5);
}

TEST(BallSymbolsTest, EveryPairDiffersInATenthOfEachSymbolForEveryEyeAndInGreyscale) {
  for (int frame = 0; frame < kSymbolFrames; ++frame) {
    const auto tiles = colour::BallTiles(frame, BallSymbols::kOn);
    for (const Vision vision : colour::kVisions) {
      for (int first = 1; first <= kBallColours; ++first) {
        const TileMask symbol = colour::SymbolMask(first, frame);
        for (int second = 1; second <= kBallColours; ++second) {
          if (second == first) continue;
          const double share = colour::DifferingShare(tiles[static_cast<std::size_t>(first - 1)],
                                                      tiles[static_cast<std::size_t>(second - 1)],
                                                      symbol, vision, kClearlyDifferent);
          EXPECT_GE(share, kLeastShare)
              << colour::VisionName(vision) << ", frame " << frame << ": the symbol of colour "
              << first << " against colour " << second;
        }
      }
    }
  }
}

}  // namespace
}  // namespace rolvi::gfx
