// The two figures on their pedestals: the King (crowned with a sceptre, fading, seated) and
// the Player with his sword, and the Player's crown overlays cut from the same drawing so
// that they match the body pixel for pixel wherever nothing changes.
#pragma once

#include "raster.h"

namespace rolvi::artgen {

inline constexpr int kFigureWidth = 72;
inline constexpr int kFigureHeight = 100;
inline constexpr int kOverlayWidth = 50;
inline constexpr int kOverlayHeight = 65;
inline constexpr int kOverlayTop = 6;  // the overlay's first row within the Player sprite
// Where each sprite's pillar shaft starts, in sprite columns: the King is drawn one pixel
// left of his foot plate and the pillar six right of it; the Player ten pixels left.
inline constexpr int kKingShaftLeft = 7;
inline constexpr int kPlayerShaftLeft = 16;

// frame 0 crowned with sceptre, 1..5 both fading away, 6 seated without them.
Image KingArt(int frame);
Image PlayerArt();
// frame 1..6: 1 bare-headed, 2..5 the crown fading in, 6 crowned with the sword raised.
Image CrownOverlayArt(int frame);
// The whole Player figure as it looks with overlay `frame` laid over it (0: none); the
// generator checks that nothing outside the overlay differs from the plain figure.
Image PlayerWithOverlay(int frame);

}  // namespace rolvi::artgen
