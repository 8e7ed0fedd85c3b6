#include "platform/gbk/gbk_text.h"

#include <gtest/gtest.h>

#include <string>

namespace rolvi::platform {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD

TEST(GbkTextTest, ProgramTextsGoBothWaysAtAnyLength) {
  EXPECT_EQ(Utf8ToGbk("文件(&F)"), "\xCE\xC4\xBC\xFE(&F)");
  EXPECT_EQ(GbkToUtf8("\xCE\xC4\xBC\xFE(&F)"), "文件(&F)");
  EXPECT_EQ(Utf8ToGbk(""), "");
  EXPECT_EQ(GbkToUtf8(""), "");
  // Longer than any buffer the conversion works in.
  std::string long_text;
  for (int i = 0; i < 500; ++i)
    long_text += "国王 a";
  const std::optional<std::string> gbk = Utf8ToGbk(long_text);
  ASSERT_TRUE(gbk);
  EXPECT_EQ(gbk->size(), 500u * 6);
  EXPECT_EQ(GbkToUtf8(*gbk), long_text);
}

TEST(GbkTextTest, EveryByteThatDecodesToNothingShowsAsAReplacement) {
  // A byte that starts no character, a lead byte before a byte that cannot follow it (which
  // then reads on its own), and a lead byte cut off by the end.
  EXPECT_EQ(GbkToUtf8("a\xFF"
                      "b"),
            "a" + kReplacement + "b");
  EXPECT_EQ(GbkToUtf8("\x81\x30"), kReplacement + "0");
  EXPECT_EQ(GbkToUtf8("\xB9\xFA\xCD"), "国" + kReplacement);
  EXPECT_EQ(GbkToUtf8("\xFF\xFF\xFF"), kReplacement + kReplacement + kReplacement);
}

TEST(GbkTextTest, TextWithACharacterGbkCannotHoldHasNoGbkForm) {
  EXPECT_EQ(Utf8ToGbk("Ann \xF0\x9F\x98\x80"), std::nullopt);  // an emoji
  EXPECT_EQ(Utf8ToGbk("\xF0\x9F\x98\x80 Ann"), std::nullopt);
  EXPECT_EQ(Utf8ToGbk("Ann\xC3"), std::nullopt);  // not UTF-8: a lead byte cut off
  EXPECT_EQ(Utf8ToGbk("\xFF"), std::nullopt);
}

}  // namespace
}  // namespace rolvi::platform
