// The board's cell tiles: the empty raised tile and, on it, the balls of the seven colours in
// every frame (at rest, the bounce, small and medium for the preview and the appearing ball,
// and the two burst frames).
#pragma once

#include "raster.h"

namespace rolvi::artgen {

inline constexpr int kTileSize = 36;
inline constexpr int kTileFrames = 10;

Image EmptyTile();
// colour 1..7, frame 0..9; colour 0 gives the empty tile for every frame.
Image CellTileArt(int colour, int frame);

}  // namespace rolvi::artgen
