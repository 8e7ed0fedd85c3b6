// The atlas: the named rectangles of the sprite sheet that every picture of the game is
// copied from, at its own size.
#pragma once

namespace rolvi::gfx {

struct SpriteRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const SpriteRect&, const SpriteRect&) = default;
};

inline constexpr int kTileSize = 36;
inline constexpr int kCellFrames = 10;
inline constexpr int kKingFrames = 7;

// A board cell: colour 0 is the empty cell, 1..7 a ball; frames 0 at rest, 1..5 jumping,
// 6 small, 7 medium, 8 and 9 bursting.
constexpr SpriteRect CellTile(int colour, int frame) {
  return {kTileSize * colour, 225 + kTileSize * frame, kTileSize, kTileSize};
}

// Frame 0 crowned, 1..5 crown and sceptre fading, 6 dethroned and seated.
constexpr SpriteRect KingSprite(int frame) {
  return {1 + 73 * frame, 0, 72, 100};
}

inline constexpr SpriteRect kPlayerSprite{1, 100, 72, 100};

// Frames 1..6: the Player's head and sword with the crown appearing, laid over his body.
constexpr SpriteRect CrownSprite(int frame) {
  return {23 + 51 * frame, 100, 50, 65};
}

// Always copied from its top row, 125 rows or fewer.
inline constexpr SpriteRect kPillarSprite{420, 100, 45, 125};
inline constexpr SpriteRect kPillarFootSprite{1, 201, 58, 9};

}  // namespace rolvi::gfx
