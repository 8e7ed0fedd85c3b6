#include "ball_tiles.h"

#include <cstdlib>

#include "gfx/atlas.h"
#include "gfx/sprite_sheet.h"
#include "platform/software/soft_surface.h"
#include "shell/assets.h"

namespace rolvi::colour {
namespace {

// The centre of the ball at rest in its tile, and how far from it a pixel still shows only
// the ball.
constexpr double kRestCentreX = 18.0;
constexpr double kRestCentreY = 20.0;
constexpr double kInnerRadius = 10.5;

const gfx::SpriteSheet& CommittedSheet() {
  static const gfx::SpriteSheet sheet = [] {
    gfx::SpriteSheet loaded;
    platform::SoftSurface display(1, 1);
    if (gfx::LoadSpriteSheet(display, shell::SpriteSheetStream(), loaded) !=
        gfx::SheetLoad::kLoaded) {
      std::abort();  // the committed sheet always loads; its own tests say why when not
    }
    return loaded;
  }();
  return sheet;
}

}  // namespace

Tile DrawnTile(int colour, int frame, gfx::BallSymbols symbols) {
  platform::SoftSurface surface(kTileSide, kTileSide);
  gfx::DrawSprite(surface, CommittedSheet(), gfx::CellTile(colour, frame), 0, 0);
  if (symbols == gfx::BallSymbols::kOn) gfx::DrawBallSymbol(surface, colour, frame, 0, 0);
  Tile tile;
  for (int y = 0; y < kTileSide; ++y) {
    for (int x = 0; x < kTileSide; ++x)
      tile.pixels[static_cast<std::size_t>(y * kTileSide + x)] = *surface.GetPixel(x, y);
  }
  return tile;
}

std::array<Tile, kBallColours> BallTiles(int frame, gfx::BallSymbols symbols) {
  std::array<Tile, kBallColours> tiles;
  for (int colour = 1; colour <= kBallColours; ++colour)
    tiles[static_cast<std::size_t>(colour - 1)] = DrawnTile(colour, frame, symbols);
  return tiles;
}

TileMask SymbolMask(int colour, int frame) {
  TileMask mask{};
  const auto place = gfx::PlaceSymbol(colour, frame);
  if (!place) return mask;
  for (int row = 0; row < place->picture->side; ++row) {
    const std::string_view pixels = place->picture->rows[static_cast<std::size_t>(row)];
    for (int column = 0; column < static_cast<int>(pixels.size()); ++column) {
      const char c = pixels[static_cast<std::size_t>(column)];
      if (c != 'X' && c != 'o') continue;
      const int x = place->offset.x + column;
      const int y = place->offset.y + row;
      if (x >= 0 && x < kTileSide && y >= 0 && y < kTileSide)
        mask[static_cast<std::size_t>(y * kTileSide + x)] = true;
    }
  }
  return mask;
}

LinearRgb MeanBallColour(const Tile& tile, Vision vision) {
  LinearRgb sum;
  int count = 0;
  for (int y = 0; y < kTileSide; ++y) {
    for (int x = 0; x < kTileSide; ++x) {
      const double dx = x + 0.5 - kRestCentreX;
      const double dy = y + 0.5 - kRestCentreY;
      if (dx * dx + dy * dy > kInnerRadius * kInnerRadius) continue;
      const LinearRgb seen = Simulate(vision, ToLinear(tile.at(x, y)));
      sum.red += seen.red;
      sum.green += seen.green;
      sum.blue += seen.blue;
      ++count;
    }
  }
  return {sum.red / count, sum.green / count, sum.blue / count};
}

double DifferingShare(const Tile& first, const Tile& second, const TileMask& mask, Vision vision,
                      double least_difference) {
  int total = 0;
  int differing = 0;
  for (std::size_t i = 0; i < mask.size(); ++i) {
    if (!mask[i]) continue;
    ++total;
    const Lab a = ToLab(Simulate(vision, ToLinear(first.pixels[i])));
    const Lab b = ToLab(Simulate(vision, ToLinear(second.pixels[i])));
    if (DeltaE2000(a, b) >= least_difference) ++differing;
  }
  return total == 0 ? 0.0 : static_cast<double>(differing) / total;
}

}  // namespace rolvi::colour
