// The sprite sheet: the one 256-colour picture every sprite is copied from, unpacked from its
// embedded Deflate stream at start-up into a bitmap for the display, with its palette.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "gfx/atlas.h"
#include "platform/surface.h"

namespace rolvi::gfx {

// Declared palette first, so that the bitmap is released before the palette.
struct SpriteSheet {
  std::unique_ptr<platform::Palette> palette;
  std::unique_ptr<platform::Image> bitmap;
};

enum class SheetLoad {
  kLoaded,
  kNoMemory,    // the unpack buffer could not be allocated
  kBadStream,   // the stream does not decode, or not into a sheet of the expected size
  kBadPicture,  // the decoded file is not an 8-bit picture this loader understands
  kNoBitmap,    // the display could not make the bitmap; the palette stays
};

// Room for the decoded picture file.
inline constexpr std::size_t kUnpackBufferSize = 303'104;

// Decodes `stream` into a picture file, builds the palette from its colour table (selected
// into `target` and realised) and a bitmap for `target`'s display. On failure `sheet` keeps
// whatever could be made, and every sprite copy then brings no picture.
SheetLoad LoadSpriteSheet(platform::Surface& target, std::span<const std::uint8_t> stream,
                          SpriteSheet& sheet);

// Selects the sheet's palette into a drawing target as a foreground palette and realises it.
void SelectSheetPalette(platform::Surface& target, const SpriteSheet& sheet);

// Copies an atlas region at its own size to (x, y).
void DrawSprite(platform::Surface& target, const SpriteSheet& sheet, const SpriteRect& region,
                int x, int y);

// Palette entries from a picture file's colour table: red and blue swapped into place, the
// reserved byte kept as flags. The count is the colours-used field, or 1 << bits per pixel.
// Returns the number of entries, 0 when the file is too short for its table.
std::size_t ReadPictureColours(std::span<const std::uint8_t> picture_file,
                               std::span<platform::PaletteEntry, 256> entries);

}  // namespace rolvi::gfx
