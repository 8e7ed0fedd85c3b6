#include "gfx/sprite_sheet.h"

#include <gtest/gtest.h>

#include <vector>

#include "gfx/inflate.h"
#include "platform/software/soft_surface.h"
#include "shell/resources.h"

namespace rolvi::gfx {
namespace {

std::uint32_t Le32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t{bytes[at + 3]} << 24;
}

TEST(SpriteSheetTest, EmbeddedStreamDecodesToTheExpectedPicture) {
  std::vector<std::uint8_t> file(kUnpackBufferSize);
  const InflateResult result = Inflate(shell::EmbeddedResources().sheet_stream, file);
  ASSERT_EQ(result.status, InflateStatus::kOk);
  EXPECT_EQ(result.written, 300'598u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(Le32(file, 10), 1078u);
  EXPECT_EQ(Le32(file, 18), 511u);
  EXPECT_EQ(Le32(file, 22), 585u);
  EXPECT_EQ(file[28], 8);
}

TEST(SpriteSheetTest, LoadsIntoABitmapWithA256ColourPalette) {
  platform::SoftSurface surface(10, 10);
  SpriteSheet sheet;
  EXPECT_EQ(LoadSpriteSheet(surface, shell::EmbeddedResources().sheet_stream, sheet),
            SheetLoad::kLoaded);
  ASSERT_TRUE(sheet.bitmap);
  EXPECT_EQ(sheet.bitmap->size(), (platform::Size{511, 585}));
  EXPECT_TRUE(sheet.palette);
}

// A picture file of 2 by 1 pixels at 8 bits with `colours` table entries.
std::vector<std::uint8_t> TinyPicture(std::uint32_t colours_used, std::size_t table_entries) {
  std::vector<std::uint8_t> file(54 + 4 * table_entries + 4, 0);
  file[0] = 'B';
  file[1] = 'M';
  const std::uint32_t offset = static_cast<std::uint32_t>(54 + 4 * table_entries);
  for (int i = 0; i < 4; ++i)
    file[10 + i] = static_cast<std::uint8_t>(offset >> (8 * i));
  file[14] = 40;
  file[18] = 2;
  file[22] = 1;
  file[26] = 1;
  file[28] = 8;
  for (int i = 0; i < 4; ++i)
    file[46 + i] = static_cast<std::uint8_t>(colours_used >> (8 * i));
  return file;
}

TEST(SpriteSheetTest, PaletteEntriesSwapRedAndBlueAndKeepTheReservedByte) {
  std::vector<std::uint8_t> file = TinyPicture(0, 256);
  file[54] = 0x10;  // blue
  file[55] = 0x20;  // green
  file[56] = 0x30;  // red
  file[57] = 0x83;  // reserved
  std::array<platform::PaletteEntry, 256> entries;
  EXPECT_EQ(ReadPictureColours(file, entries), 256u);
  EXPECT_EQ(entries[0], (platform::PaletteEntry{0x30, 0x20, 0x10, 0x83}));
}

TEST(SpriteSheetTest, ColoursUsedBelow256GivesThatManyEntries) {
  std::array<platform::PaletteEntry, 256> entries;
  EXPECT_EQ(ReadPictureColours(TinyPicture(6, 6), entries), 6u);
  // A table cut short by the end of the file gives none rather than reading past it.
  std::vector<std::uint8_t> cut = TinyPicture(0, 6);
  EXPECT_EQ(ReadPictureColours(cut, entries), 0u);
}

TEST(SpriteSheetTest, BrokenStreamFailsWithoutABitmap) {
  platform::SoftSurface surface(10, 10);
  SpriteSheet sheet;
  const std::vector<std::uint8_t> broken = {0xFF, 0xFF, 0xFF};  // block type 3
  EXPECT_EQ(LoadSpriteSheet(surface, broken, sheet), SheetLoad::kBadStream);
  EXPECT_FALSE(sheet.bitmap);
  // Copies from a sheet without a bitmap bring nothing and do not fail.
  DrawSprite(surface, sheet, CellTile(1, 0), 0, 0);
  EXPECT_EQ(surface.GetPixel(0, 0), platform::kBlack);
}

TEST(AtlasTest, RegionsLieWhereTheSheetHasThem) {
  EXPECT_EQ(CellTile(3, 7), (SpriteRect{108, 477, 36, 36}));  // x 108-143, y 477-512
  EXPECT_EQ(CrownSprite(6), (SpriteRect{329, 100, 50, 65}));  // x 329-378, y 100-164
  EXPECT_EQ(KingSprite(6), (SpriteRect{439, 0, 72, 100}));    // x 439-510, y 0-99
  EXPECT_EQ(CellTile(7, 9).y + 36, 585);                      // the bottom of the picture
}

}  // namespace
}  // namespace rolvi::gfx
