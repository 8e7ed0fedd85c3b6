// The ball symbols: a shape for each of the seven colours (white with a dark outline), drawn
// over a ball tile where the ball stands in that frame, so that colours that look alike to
// some eyes still tell apart. Drawn from pixel pictures with rectangle fills; no allocation.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "platform/surface.h"

namespace rolvi::gfx {

// Whether the balls carry their symbols; off draws every tile exactly as the sheet has it.
enum class BallSymbols { kOff, kOn };

inline constexpr platform::Rgb kSymbolOutline{24, 22, 30};
inline constexpr platform::Rgb kSymbolFill{255, 255, 255};

// A symbol's pixels, rows top first: 'X' outline, 'o' fill, '.' the tile shows through.
struct SymbolPicture {
  int side = 0;
  std::array<std::string_view, 13> rows{};
};

// Where a symbol stands on a tile: its picture and its top-left corner inside the 36-pixel
// tile. Nothing for the empty cell, the burst frames and codes outside 1..7.
struct SymbolPlacement {
  const SymbolPicture* picture = nullptr;
  platform::Point offset;
};
std::optional<SymbolPlacement> PlaceSymbol(int colour, int frame);

// Draws the symbol of `colour` over the tile of that colour and `frame` drawn at (x, y).
void DrawBallSymbol(platform::Surface& target, int colour, int frame, int x, int y);

}  // namespace rolvi::gfx
