#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/gbk/gbk_text.h"
#include "platform/software/font_data.h"
#include "platform/software/glyphs.h"

namespace rolvi::platform {
namespace {

// Texts the program shows, from menus, dialogs, message boxes and the main window.
const char* const kProgramTexts[] = {
    "文件(&F)",
    "新游戏(&N)",
    "显示排行榜(&H)",
    "退出(&X)",
    "选项(&O)",
    "下一组(&N)",
    "显示统计(&S)",
    "帮助(&H)",
    "游戏规则(&R)",
    "关于(&A) ...",
    "下组",
    "颜色  ",
    "玩  家   ",
    " 国  王 ",
    "- 空 缺 -",
    " 玩  完  !",
    "规则",
    "排行榜",
    "恭喜恭喜",
    "关于",
    "统计",
    "知道了(&O)",
    "走人(&O)",
    "确定(&O)",
    "原来如此(&O)",
    " 输 入 大 名 :",
    "原创人员",
    "创作人员",
    "友情汉化",
    "你应该输入姓名",
    "姓名太长",
    "你只能用拉丁字母",
    "错 误",
    ", 消除",
    "　　游戏的目的是赢取比“国王”更多的分数。当你将5个或更多的同色小球排成一条或横或竖或斜的"
    "行时，你就得分了。你可以通过空的方格移动小球来做到这一点。 祝你成功！",
};

TEST(FontCoverageTest, EveryCharacterOfTheProgramTextsHasAGlyph) {
  for (const char* text : kProgramTexts) {
    const std::string gbk = Utf8ToGbk(text).value();
    std::size_t position = 0;
    while (true) {
      const GbkChar character = DecodeGbk(gbk, position);
      if (character.length == 0) break;
      const int glyph = GlyphOf(character);
      EXPECT_GE(glyph, font_data::kFirstAscii) << text << " at byte " << position;
      position += character.length;
    }
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
  // Double-byte characters are full width; ASCII half of it in the 16-pixel face and in the
  // narrow one, proportional in the sans face.
  const GbkChar next_group{2, 0xCFC2, true, true};  // 下
  const auto glyph = static_cast<std::size_t>(GlyphOf(next_group));
  const auto ascii = [](char c) {
    return static_cast<std::size_t>(font_data::kFirstAscii + c - 0x20);
  };
  EXPECT_EQ(font_data::Face16().advances[glyph], 16);
  EXPECT_EQ(font_data::FaceSans().advances[glyph], 12);
  EXPECT_EQ(font_data::FaceNarrow().advances[glyph], 12);
  EXPECT_EQ(font_data::Face16().advances[ascii('A')], 8);
  EXPECT_EQ(font_data::FaceNarrow().advances[ascii('W')], 6);
  EXPECT_EQ(font_data::FaceNarrow().advances[ascii('i')], 6);
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
