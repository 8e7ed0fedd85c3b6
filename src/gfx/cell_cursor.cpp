#include "gfx/cell_cursor.h"

#include "gfx/atlas.h"
#include "gfx/board_renderer.h"

namespace rolvi::gfx {
namespace {

using platform::Rect;

// The top-left pixel of a cell's tile.
platform::Point TileCorner(platform::Point origin, int column, int row) {
  return {origin.x + 2 + kCellPitch * column, origin.y + 2 + kCellPitch * row};
}

// A one-pixel ring `inset` pixels inside the tile at `corner`.
void Ring(platform::Surface& target, platform::Point corner, int inset, platform::Rgb colour) {
  const int left = corner.x + inset;
  const int top = corner.y + inset;
  const int right = corner.x + kTileSize - inset;
  const int bottom = corner.y + kTileSize - inset;
  target.FillRect(Rect{left, top, right, top + 1}, colour);
  target.FillRect(Rect{left, bottom - 1, right, bottom}, colour);
  target.FillRect(Rect{left, top + 1, left + 1, bottom - 1}, colour);
  target.FillRect(Rect{right - 1, top + 1, right, bottom - 1}, colour);
}

}  // namespace

void DrawCellCursor(platform::Surface& target, platform::Point origin, int column, int row) {
  const platform::Point corner = TileCorner(origin, column, row);
  Ring(target, corner, 0, kCursorOuter);
  Ring(target, corner, 1, kCursorInner);
}

void EraseCellCursor(platform::Surface& target, const SpriteSheet& sheet, platform::Point origin,
                     int column, int row) {
  const platform::Point corner = TileCorner(origin, column, row);
  const SpriteRect empty = CellTile(0, 0);
  const int far = kTileSize - kCursorWidth;
  // The top and bottom strips whole, the sides between them.
  DrawSprite(target, sheet, {empty.x, empty.y, kTileSize, kCursorWidth}, corner.x, corner.y);
  DrawSprite(target, sheet, {empty.x, empty.y + far, kTileSize, kCursorWidth}, corner.x,
             corner.y + far);
  DrawSprite(target, sheet, {empty.x, empty.y + kCursorWidth, kCursorWidth, far - kCursorWidth},
             corner.x, corner.y + kCursorWidth);
  DrawSprite(target, sheet,
             {empty.x + far, empty.y + kCursorWidth, kCursorWidth, far - kCursorWidth},
             corner.x + far, corner.y + kCursorWidth);
}

}  // namespace rolvi::gfx
