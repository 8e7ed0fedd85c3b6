#include "records/record_table.h"

#include <gtest/gtest.h>

#include "platform/gbk/gbk_text.h"
#include "records/record_book.h"
#include "support/record_builders.h"

namespace rolvi::records {
namespace {

using platform::GbkToUtf8;

TEST(DefaultRecordTableTest, TheKingAboveNineVacantPlacesWithNothingAfterTheNames) {
  EXPECT_EQ(GbkToUtf8(kKingName), " 国  王 ");
  EXPECT_EQ(GbkToUtf8(kVacantName), "- 空 缺 -");
  const RecordTable table = DefaultRecordTable();
  EXPECT_EQ(table[0], testing::EntryOf(kKingName, 100));
  for (std::size_t i = 1; i < table.size(); ++i)
    EXPECT_EQ(table[i], testing::EntryOf(kVacantName, 0)) << i;
}

TEST(RecordBookTest, StartsAsIfLoadedWithoutAFile) {
  const RecordBook book;
  EXPECT_EQ(book.table, DefaultRecordTable());
  EXPECT_EQ(NameText(book.kingName), kKingName);
  EXPECT_EQ(book.recordScore, 100);
  EXPECT_EQ(NameText(book.lastName), "Ulvo Dask");
  EXPECT_FALSE(book.recordsDirty);
}

TEST(StoreNameTest, KeepsTheBytesAfterTheNewTerminator) {
  NameField field{};
  StoreName(field, "Longername12");
  StoreName(field, "Bob");
  EXPECT_EQ(NameText(field), "Bob");
  EXPECT_EQ(std::string_view(field.data(), 13), std::string_view("Bob\0ername12\0", 13));
}

TEST(StoreNameTest, CutsToThirteenBytesAndToAnEmbeddedZero) {
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
  EXPECT_EQ(SaturatedScore(0), 0);
  EXPECT_EQ(SaturatedScore(65535), 65535);
  EXPECT_EQ(SaturatedScore(65536), 65535);
  EXPECT_EQ(SaturatedScore(2147483647), 65535);
  EXPECT_EQ(SaturatedScore(-5), 0);
}

}  // namespace
}  // namespace rolvi::records
