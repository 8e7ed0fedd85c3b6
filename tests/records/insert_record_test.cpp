#include "records/insert_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_file_system.h"
#include "records/record_file.h"
#include "records/record_table.h"
#include "support/fake_record_dialogs.h"
#include "support/record_builders.h"

namespace rolvi::records {
namespace {

using testing::EntryOf;
using testing::FakeRecordDialogs;
using testing::TableWithScores;
using namespace std::string_view_literals;

constexpr DefaultNames kNames{"King", "vacant"};

TEST(InsertRecordTest, OnTheDefaultTableAResultEntersBelowTheKingUnlessItBeatsHim) {
  // A result of zero or less never enters and opens no dialog.
  const std::pair<std::int32_t, std::optional<std::size_t>> cases[] = {
      {0, {}}, {-1, {}}, {-2147483647 - 1, {}}, {1, 1}, {99, 1}, {100, 1}, {101, 0}};
  for (const auto& [score, place] : cases) {
    SCOPED_TRACE(score);
    RecordBook book;
    FakeRecordDialogs dialogs;
    EXPECT_EQ(InsertRecord(book, score, dialogs), place);
    EXPECT_EQ(book.recordsDirty, place.has_value());
    EXPECT_EQ(dialogs.offered.size() + dialogs.shown.size(), place ? 2u : 0u);
    if (place) {
      EXPECT_EQ(book.table[1 - *place], DefaultRecordTable({})[0]);  // the King's entry
    } else {
      EXPECT_EQ(book.table, DefaultRecordTable({}));
    }
  }
}

TEST(InsertRecordTest, AsksForTheNameThenShowsTheUpdatedTable) {
  RecordBook book;
  FakeRecordDialogs dialogs;
  dialogs.answers = {"Ann"};
  ASSERT_EQ(InsertRecord(book, 250, dialogs), 0u);
  EXPECT_EQ(NameText(book.lastName), "Ann");
  EXPECT_EQ(NameText(book.table[0].name), "Ann");
  EXPECT_EQ(book.table[0].score, 250);
  EXPECT_EQ(dialogs.offered, std::vector<std::string>{"Ulvo Dask"});
  EXPECT_EQ(dialogs.shown, std::vector<RecordTable>{book.table});
  // The race state is not this operation's business.
  EXPECT_EQ(book.recordScore, 100);

  // The next dialog offers the name accepted last.
  InsertRecord(book, 5, dialogs);
  EXPECT_EQ(dialogs.offered.back(), "Ann");
}

TEST(InsertRecordTest, ASaveWhileTheNameIsAskedKeepsTheResultUnderTheNameOffered) {
  // The display can go away while the name dialog is open; the table saved then holds the
  // result at its place, under the name the dialog offers.
  RecordBook book;
  book.lastName = MakeNameBuffer("Bo");
  FakeRecordDialogs dialogs;
  dialogs.answers = {"Ann"};
  platform::MemoryFileSystem files;
  dialogs.while_name_is_asked = [&] { EXPECT_TRUE(SaveRecords(book, files).written()); };
  ASSERT_EQ(InsertRecord(book, 250, dialogs), 0u);

  const DecodedRecords saved = DecodeRecordFile(files.files.at(std::string(kRecordFileName)), {});
  EXPECT_EQ(NameText(saved.table[0].name), "Bo");
  EXPECT_EQ(saved.table[0].score, 250);
  EXPECT_EQ(saved.table[1], DefaultRecordTable({})[0]);
  // Once the name is taken nothing is pending: the table saved is the table itself.
  EXPECT_FALSE(book.pending);
  EXPECT_EQ(TableToSave(book), book.table);
  EXPECT_EQ(NameText(book.table[0].name), "Ann");
}

TEST(InsertRecordTest, ASaveWhileTheNameIsAskedMergesOtherResultsAndTheNameGoesToItsNewPlace) {
  // Another program saved a better result after this one loaded the file; the save made while
  // this name is asked brings it in above, and the name typed then lands one place lower.
  platform::MemoryFileSystem files;
  RecordBook other;
  LoadRecords(other, files, kNames);
  RecordBook book;
  LoadRecords(book, files, kNames);
  FakeRecordDialogs others_dialogs;
  others_dialogs.answers = {"Bert"};
  InsertRecord(other, 300, others_dialogs);
  ASSERT_TRUE(SaveRecords(other, files).written());

  FakeRecordDialogs dialogs;
  dialogs.answers = {"Anna"};
  dialogs.while_name_is_asked = [&] { EXPECT_TRUE(SaveRecords(book, files).written()); };
  EXPECT_EQ(InsertRecord(book, 250, dialogs), 1u);
  EXPECT_EQ(NameText(book.table[0].name), "Bert");
  EXPECT_EQ(NameText(book.table[1].name), "Anna");  // typed over the King's field it took
  EXPECT_EQ(book.table[1].score, 250);
  EXPECT_EQ(book.table[2], DefaultRecordTable(kNames)[0]);
  // The next save puts the typed name where the offered one was stored.
  ASSERT_TRUE(SaveRecords(book, files).written());
  const DecodedRecords saved =
      DecodeRecordFile(files.files.at(std::string(kRecordFileName)), kNames);
  EXPECT_EQ(saved.table, book.table);
}

TEST(InsertRecordTest, ANewEntryIsTypedOverTheFieldItTakesAndPushesTheLastEntryOut) {
  // A tie goes below the equal score, in the middle of the table; a result just above the
  // last entry replaces only that one. After the new terminator the field keeps the bytes of
  // the name that was there.
  const struct {
    std::size_t place;
    std::string_view old_name;
    std::int32_t score;
    std::string_view field;
  } cases[] = {{4, "LongPlayerNam", 500, "Tie\0PlayerNam"sv}, {9, "Ninth", 11, "Tie\0h"sv}};
  const RecordTable ten = TableWithScores({900, 800, 700, 500, 400, 300, 200, 100, 50, 10});
  for (const auto& c : cases) {
    RecordBook book;
    book.table = ten;
    book.table[c.place].name = EntryOf(c.old_name, 0).name;
    const RecordTable before = book.table;
    FakeRecordDialogs dialogs;
    dialogs.answers = {"Tie"};
    ASSERT_EQ(InsertRecord(book, c.score, dialogs), c.place);
    for (std::size_t i = 0; i < 10; ++i) {
      const RecordEntry expected = i < c.place    ? before[i]
                                   : i == c.place ? EntryOf(c.field, SaturatedScore(c.score))
                                                  : before[i - 1];
      EXPECT_EQ(book.table[i], expected) << "entry " << i << " after entering at " << c.place;
    }
  }

  // Equal to the last entry is not enough.
  RecordBook book;
  book.table = ten;
  FakeRecordDialogs dialogs;
  EXPECT_EQ(InsertRecord(book, 10, dialogs), std::nullopt);
  EXPECT_EQ(book.table, ten);
  EXPECT_TRUE(dialogs.offered.empty());
}

TEST(InsertRecordTest, AScoreAboveSixteenBitsIsStoredAsTheHighestScore) {
  RecordBook book;
  book.table = TableWithScores({65535, 800, 700, 600, 500, 400, 300, 200, 100, 10});
  FakeRecordDialogs dialogs;
  ASSERT_EQ(InsertRecord(book, 65536 + 7, dialogs), 0u);
  EXPECT_EQ(book.table[0].score, 65535);
  EXPECT_EQ(book.table[1].score, 65535);
}

// A name dialog that breaks its promise must not break the table.
class OverlongNameDialogs : public FakeRecordDialogs {
 public:
  void RunNameDialog(NameBuffer& lastName) override { lastName.fill('W'); }
};

TEST(InsertRecordTest, AnOverlongNameFromTheDialogIsCutToFitTheField) {
  RecordBook book;
  OverlongNameDialogs dialogs;
  ASSERT_EQ(InsertRecord(book, 500, dialogs), 0u);
  EXPECT_EQ(NameText(book.table[0].name), "WWWWWWWWWWWWW");
  EXPECT_EQ(book.table[0].name[13], '\0');
}

}  // namespace
}  // namespace rolvi::records
