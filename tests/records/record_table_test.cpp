#include "records/record_table.h"

#include <gtest/gtest.h>

#include "platform/gbk/gbk_text.h"
#include "support/program_assets.h"

namespace rolvi::records {
namespace {

using platform::GbkToUtf8;

// The default table's names come from the program's strings; they must read as the Chinese
// words they stand for, and fill the table as its entries' names.
TEST(DefaultRecordTableTest, TheKingAndTheVacantPlacesAreNamedInChinese) {
  const DefaultNames& names = testing::ProgramTexts().default_names;
  EXPECT_EQ(GbkToUtf8(names.king), " 国  王 ");
  EXPECT_EQ(GbkToUtf8(names.vacant), "- 空 缺 -");
  const RecordTable table = DefaultRecordTable(names);
  EXPECT_EQ(NameText(table[0].name), names.king);
  EXPECT_EQ(table[0].score, kKingScore);
  for (std::size_t i = 1; i < table.size(); ++i) {
    EXPECT_EQ(NameText(table[i].name), names.vacant);
    EXPECT_EQ(table[i].score, 0);
  }
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
