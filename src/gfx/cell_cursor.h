// The keyboard's cursor on the board: a two-pixel blue frame, navy outside and a brighter
// blue inside, laid over the bevel at the edge of a cell's tile, where no ball, shadow or
// symbol reaches, so that it stands out on the grey tiles and never hides a ball; and the
// bevel put back where it was.
#pragma once

#include "gfx/sprite_sheet.h"
#include "platform/surface.h"

namespace rolvi::gfx {

// How far into the tile the frame reaches, from each edge.
inline constexpr int kCursorWidth = 2;
inline constexpr platform::Rgb kCursorOuter{0, 0, 128};  // the desktop's selection colour
inline constexpr platform::Rgb kCursorInner{30, 80, 200};

// The frame on the cell (column, row) of the board whose frame's top-left is `origin`.
void DrawCellCursor(platform::Surface& target, platform::Point origin, int column, int row);

// The tile's own edge where the frame was: every tile of a ball at rest or jumping has the
// empty tile's bevel there.
void EraseCellCursor(platform::Surface& target, const SpriteSheet& sheet, platform::Point origin,
                     int column, int row);

}  // namespace rolvi::gfx
