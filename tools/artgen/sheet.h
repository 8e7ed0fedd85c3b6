// The sprite sheet: every piece of artwork placed at its atlas position, the palette made for
// it, the finished 8-bit BMP file, and the pictures made for reviewing it (the enlarged
// parts and mock-ups of the game screen built from the sheet the way the game draws).
#pragma once

#include <string>
#include <vector>

#include "raster.h"
#include "writers.h"

namespace rolvi::artgen {

inline constexpr int kSheetWidth = 511;
inline constexpr int kSheetHeight = 585;

struct SpriteSheetArt {
  std::vector<Srgb8> palette;  // 256 entries
  IndexedImage pixels;         // kSheetWidth x kSheetHeight
};

SpriteSheetArt BuildSpriteSheet();
Bytes SheetBmp(const SpriteSheetArt& sheet);

// Writes the review pictures into `dir`; false if a file could not be written.
bool WriteSheetReview(const SpriteSheetArt& sheet, const std::string& dir);

// Checks the figure pieces against each other: every crown overlay must leave the Player
// unchanged outside its rectangle. Returns a description of the first fault, or "".
std::string CheckOverlays();

}  // namespace rolvi::artgen
