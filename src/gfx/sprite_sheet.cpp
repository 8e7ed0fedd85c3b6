#include "gfx/sprite_sheet.h"

#include <array>
#include <memory>
#include <new>

#include "gfx/inflate.h"

namespace rolvi::gfx {
namespace {

constexpr std::size_t kInfoHeaderOffset = 14;
constexpr std::size_t kColourTableOffset = 54;  // right after a 40-byte info header
constexpr std::size_t kPixelOffsetField = 10;
constexpr std::size_t kBitsPerPixelField = 28;
constexpr std::size_t kColoursUsedField = 46;

std::uint32_t ReadLittleEndian32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 |
         std::uint32_t{bytes[at + 2]} << 16 | std::uint32_t{bytes[at + 3]} << 24;
}

}  // namespace

std::size_t ReadPictureColours(std::span<const std::uint8_t> picture_file,
                               std::span<platform::PaletteEntry, 256> entries) {
  if (picture_file.size() < kColourTableOffset) return 0;
  const std::uint32_t bits = picture_file[kBitsPerPixelField];
  std::uint32_t count = ReadLittleEndian32(picture_file, kColoursUsedField);
  if (count == 0) count = bits < 9 ? 1u << bits : 0;
  if (count == 0 || count > entries.size()) return 0;
  if (picture_file.size() < kColourTableOffset + 4 * std::size_t{count}) return 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint8_t* quad = &picture_file[kColourTableOffset + 4 * i];
    entries[i] = {.red = quad[2], .green = quad[1], .blue = quad[0], .flags = quad[3]};
  }
  return count;
}

SheetLoad LoadSpriteSheet(platform::Surface& target, std::span<const std::uint8_t> stream,
                          SpriteSheet& sheet) {
  const std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[kUnpackBufferSize]);
  if (!buffer) return SheetLoad::kNoMemory;
  const InflateResult unpacked = Inflate(stream, {buffer.get(), kUnpackBufferSize});
  if (unpacked.status != InflateStatus::kOk) return SheetLoad::kBadStream;
  const std::span<const std::uint8_t> file(buffer.get(), unpacked.written);

  std::array<platform::PaletteEntry, 256> colours;
  const std::size_t count = ReadPictureColours(file, colours);
  if (count == 0) return SheetLoad::kBadPicture;
  const std::size_t pixel_offset = ReadLittleEndian32(file, kPixelOffsetField);
  const std::size_t header_end = kColourTableOffset + 4 * count;
  if (pixel_offset < header_end || pixel_offset >= file.size()) return SheetLoad::kBadPicture;

  sheet.palette = target.CreatePalette(std::span(colours).first(count));
  if (sheet.palette) target.SelectPalette(*sheet.palette);
  sheet.bitmap =
      target.CreateImage({.header = file.subspan(kInfoHeaderOffset, header_end - kInfoHeaderOffset),
                          .bits = file.subspan(pixel_offset)});
  return sheet.bitmap ? SheetLoad::kLoaded : SheetLoad::kNoBitmap;
}

void SelectSheetPalette(platform::Surface& target, const SpriteSheet& sheet) {
  if (sheet.palette) target.SelectPalette(*sheet.palette);
}

void DrawSprite(platform::Surface& target, const SpriteSheet& sheet, const SpriteRect& region,
                int x, int y) {
  target.Blit(x, y, region.width, region.height, sheet.bitmap.get(), region.x, region.y,
              platform::RasterOp::kCopy);
}

}  // namespace rolvi::gfx
