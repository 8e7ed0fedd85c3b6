#include "records/record_table.h"

#include <gtest/gtest.h>

#include "platform/gbk/gbk_text.h"

namespace rolvi::records {
namespace {

using platform::GbkToUtf8;

// The default table's names are GBK bytes; they must read as the Chinese words they stand for.
TEST(DefaultRecordTableTest, TheKingAndTheVacantPlacesAreNamedInChinese) {
  EXPECT_EQ(GbkToUtf8(kKingName), " 国  王 ");
  EXPECT_EQ(GbkToUtf8(kVacantName), "- 空 缺 -");
}

TEST(StoreNameTest, CutsToThirteenBytesAndToAnEmbeddedZeroKeepingTheBytesAfterIt) {
  NameField field;
  field.fill('x');
  StoreName(field, "ABCDEFGHIJKLMNOPQ");
  EXPECT_EQ(NameText(field), "ABCDEFGHIJKLM");
  EXPECT_EQ(field[13], '\0');
  StoreName(field, std::string_view("ab\0cd", 5));
  EXPECT_EQ(NameText(field), "ab");
  EXPECT_EQ(field[3], 'D');
}

TEST(SaturatedScoreTest, ClampsToTheSixteenBitRange) {
  const std::pair<std::int32_t, std::uint16_t> cases[] = {
      {0, 0}, {65535, 65535}, {65536, 65535}, {2147483647, 65535}, {-5, 0}};
  for (const auto& [score, saturated] : cases)
    EXPECT_EQ(SaturatedScore(score), saturated) << score;
}

}  // namespace
}  // namespace rolvi::records
