#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/gbk/gbk_text.h"
#include "platform/software/font_data.h"
#include "platform/software/glyphs.h"
#include "platform/widgets/resource_tables.h"
#include "res/tables.h"

namespace rolvi::platform {
namespace {

// Every string of the program's string table, which holds what the program draws or shows
// outside its templates (whose texts text_fit_test checks): header labels, the Player's plate,
// the game-over message, the statistics rows, the default names, the name check's messages and
// the record file's problems.
TEST(FontCoverageTest, EveryCharacterOfTheProgramsStringsHasAGlyph) {
  int strings = 0;
  for (const widgets::StringTableData& table : res::Tables().strings) {
    for (const widgets::StringData& string : table.strings) {
      ++strings;
      const std::string_view text = string.text;
      for (std::size_t at = 0; DecodeGbk(text, at).length != 0; at += DecodeGbk(text, at).length)
        EXPECT_GE(GlyphOf(DecodeGbk(text, at)), font_data::kFirstAscii)
            << GbkToUtf8(text) << " " << at;
    }
  }
  EXPECT_GE(strings, 20);
}

TEST(FontCoverageTest, TableIsSortedAndEveryFaceHoldsEveryGlyph) {
  const auto codes = font_data::GbkCodes();
  EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end()));
  EXPECT_EQ(std::adjacent_find(codes.begin(), codes.end()), codes.end());
  const auto glyphs = static_cast<std::size_t>(font_data::kFirstDoubleByte) + codes.size();
  for (const font_data::Face* face :
       {&font_data::Face16(), &font_data::FaceSans(), &font_data::FaceNarrow()}) {
    EXPECT_EQ(face->advances.size(), glyphs);
    EXPECT_EQ(face->rows.size(), glyphs * static_cast<std::size_t>(face->line_height));
  }
  // The narrow face is monospaced with full-width Chinese, the sans face proportional (the
  // widths as the text is measured are text_test's).
  const GbkChar next_group{2, 0xCFC2, true, true};  // 下
  const auto ascii = [](char c) {
    return static_cast<std::size_t>(font_data::kFirstAscii + c - 0x20);
  };
  EXPECT_EQ(font_data::FaceNarrow().advances[static_cast<std::size_t>(GlyphOf(next_group))], 12);
  EXPECT_EQ(font_data::FaceNarrow().advances[ascii('i')], 6);
  EXPECT_EQ(font_data::FaceNarrow().advances[ascii('W')], 6);
  EXPECT_LT(font_data::FaceSans().advances[ascii('i')], font_data::FaceSans().advances[ascii('W')]);
}

TEST(GbkDecodeTest, SingleAndDoubleByteCharactersAndBadBytes) {
  const std::string text = "A\xCF\xC2\x80\x81\x7F\xFE\xFE";
  GbkChar c = DecodeGbk(text, 0);
  EXPECT_TRUE(c.valid && !c.double_byte && c.code == 'A' && c.length == 1);
  c = DecodeGbk(text, 1);
  EXPECT_TRUE(c.valid && c.double_byte && c.code == 0xCFC2 && c.length == 2);
  c = DecodeGbk(text, 3);  // 0x80 starts nothing
  EXPECT_TRUE(!c.valid && c.length == 1);
  c = DecodeGbk(text, 4);  // 0x81 followed by 0x7F is no pair
  EXPECT_TRUE(!c.valid && c.length == 1);
  c = DecodeGbk(text, 6);
  EXPECT_TRUE(c.valid && c.double_byte && c.length == 2);
  EXPECT_EQ(GlyphOf(c), font_data::kWideReplacement);
  EXPECT_EQ(DecodeGbk(text, 8).length, 0u);
  EXPECT_EQ(DecodeGbk("\xCF", 0).length, 1u);
  EXPECT_FALSE(DecodeGbk("\xCF", 0).valid);
}

}  // namespace
}  // namespace rolvi::platform
