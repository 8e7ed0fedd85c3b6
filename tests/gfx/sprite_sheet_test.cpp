// Loading the sprite sheet: its palette from the picture's colour table, its bitmap, and a
// stream that does not decode. What the committed sheet holds is sprite_art_test.cpp's.
#include "gfx/sprite_sheet.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/software/soft_surface.h"
#include "shell/resources.h"

namespace rolvi::gfx {
namespace {

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

}  // namespace
}  // namespace rolvi::gfx
