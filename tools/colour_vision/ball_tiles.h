// The seven ball tiles as the program draws them from the committed sprite sheet, with or
// without their symbols, and what the colour-vision checks measure on them: the mean colour
// of a ball, and the share of a symbol's pixels in which two tiles look different.
#pragma once

#include <array>

#include "colour_vision.h"
#include "gfx/ball_symbols.h"
#include "platform/surface.h"

namespace rolvi::colour {

inline constexpr int kTileSide = 36;
inline constexpr int kBallColours = 7;

struct Tile {
  std::array<platform::Rgb, kTileSide * kTileSide> pixels{};
  platform::Rgb at(int x, int y) const {
    return pixels[static_cast<std::size_t>(y * kTileSide + x)];
  }
};

using TileMask = std::array<bool, kTileSide * kTileSide>;

// The cell tile of `colour` (0 the empty cell) in `frame`, as the program draws it.
Tile DrawnTile(int colour, int frame, gfx::BallSymbols symbols);
// Colours 1..7 at index 0..6, in `frame`.
std::array<Tile, kBallColours> BallTiles(int frame, gfx::BallSymbols symbols);

// The pixels that the symbol of `colour` covers in `frame`, outline and fill.
TileMask SymbolMask(int colour, int frame);

// The mean colour of the ball at rest (frame 0) as `vision` sees it: the pixels within 10.5
// pixels of the ball's centre, averaged in linear light, which leaves out its anti-aliased
// rim and the shadow below it.
LinearRgb MeanBallColour(const Tile& tile, Vision vision);

// The share of the pixels set in `mask` where `first` and `second`, as `vision` sees them,
// differ by at least `least_difference` (CIEDE2000).
double DifferingShare(const Tile& first, const Tile& second, const TileMask& mask, Vision vision,
                      double least_difference);

}  // namespace rolvi::colour
