#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialogs/name_check.h"
#include "platform/gbk/gbk_text.h"
#include "platform/software/font_data.h"
#include "platform/software/glyphs.h"
#include "records/record_table.h"

namespace rolvi::platform {
namespace {

// The texts the program shows that live in its code rather than in the resource script (whose
// texts text_fit_test checks): header labels, the Player's plate, the game-over message, the
// statistics rows, the default names and the name check's messages.
TEST(FontCoverageTest, EveryCharacterOfTheProgramsOwnTextsHasAGlyph) {
  std::vector<std::string> texts = {
      std::string(records::kKingName),           std::string(records::kVacantName),
      std::string(dialogs::kNameErrorCaption),   std::string(dialogs::kEmptyNameMessage),
      std::string(dialogs::kNameTooLongMessage), std::string(dialogs::kNameNotLatinMessage)};
  for (const char* utf8 : {"下组", "颜色", "玩  家", " 玩  完  !", ", 消除"})
    texts.push_back(Utf8ToGbk(utf8).value());
  for (const std::string& text : texts) {
    for (std::size_t at = 0; DecodeGbk(text, at).length != 0; at += DecodeGbk(text, at).length)
      EXPECT_GE(GlyphOf(DecodeGbk(text, at)), font_data::kFirstAscii)
          << GbkToUtf8(text) << " " << at;
  }
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
