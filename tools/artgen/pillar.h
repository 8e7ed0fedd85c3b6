// The stone pieces under each figure: the fluted pillar shaft (every row alike, so it looks
// the same cut off at any height), its foot plate, and the capital that each figure sprite
// carries at its bottom, ending in rows of the shaft itself.
#pragma once

#include "raster.h"

namespace rolvi::artgen {

inline constexpr int kPillarWidth = 45;
inline constexpr int kPillarHeight = 125;
inline constexpr int kFootWidth = 58;
inline constexpr int kFootHeight = 9;
// Rows at the bottom of a figure sprite that repeat the shaft exactly: a figure that rises
// one or four pixels without its pillar being redrawn leaves these rows behind.
inline constexpr int kShaftRowsInFigure = 4;
// The figure stands on the capital's top row, this many rows above the sprite's bottom.
inline constexpr int kCapitalHeight = 11;

// One row of the shaft, kPillarWidth pixels.
Image PillarRow();
Image PillarArt();
Image FootPlateArt();

// Draws the capital whose shaft spans columns [shaft_left, shaft_left + kPillarWidth) into a
// figure canvas of height `height`, above its bottom shaft rows.
void DrawCapital(Canvas& canvas, int shaft_left, int height);
// Writes the shaft rows into the bottom of a resolved figure, black beside the shaft.
void PutShaftRows(Image& figure, int shaft_left);

}  // namespace rolvi::artgen
