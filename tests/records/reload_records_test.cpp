// Taking in what another program saved while this one runs (two tabs of the page), and the
// name a save keeps for a result whose name dialog is still open.
#include <gtest/gtest.h>

#include "platform/memory_file_system.h"
#include "records/insert_record.h"
#include "records/record_file.h"
#include "support/fake_record_dialogs.h"

namespace rolvi::records {
namespace {

using testing::FakeRecordDialogs;

constexpr DefaultNames kNames{"King", "vacant"};

RecordTable Stored(const platform::MemoryFileSystem& files) {
  return DecodeRecordFile(files.files.at(std::string(kRecordFileName)), kNames).table;
}

// A program that loaded the shared file and entered `name` with `score`, unsaved.
RecordBook EnteredUnsaved(platform::MemoryFileSystem& files, std::string name, int score) {
  RecordBook book;
  LoadRecords(book, files, kNames);
  FakeRecordDialogs dialogs;
  dialogs.answers = {std::move(name)};
  InsertRecord(book, score, dialogs);
  return book;
}

TEST(ReloadRecordsTest, AnotherProgramsSaveComesInAndThisRunsUnsavedResultStaysToBeSaved) {
  platform::MemoryFileSystem files;
  RecordBook alpha = EnteredUnsaved(files, "Alpha", 40);
  RecordBook bravo = EnteredUnsaved(files, "Bravo", 30);
  EXPECT_FALSE(ReloadRecords(bravo, files)) << "nothing stored yet";
  ASSERT_TRUE(SaveRecords(alpha, files).written());

  EXPECT_TRUE(ReloadRecords(bravo, files));
  EXPECT_EQ(NameText(bravo.table[1].name), "Alpha");
  EXPECT_EQ(NameText(bravo.table[2].name), "Bravo");
  EXPECT_EQ(bravo.table[2].score, 30);
  EXPECT_EQ(bravo.lastRead, Stored(files));
  EXPECT_FALSE(ReloadRecords(bravo, files)) << "read already";

  // Bravo's own result is still to be saved, once, beside Alpha's.
  ASSERT_TRUE(SaveRecords(bravo, files).written());
  EXPECT_EQ(Stored(files), bravo.table);
  // A result entered after the reload merges with both.
  FakeRecordDialogs dialogs;
  dialogs.answers = {"Carol"};
  EXPECT_TRUE(ReloadRecords(alpha, files));
  InsertRecord(alpha, 35, dialogs);
  ASSERT_TRUE(SaveRecords(alpha, files).written());
  const RecordTable stored = Stored(files);
  EXPECT_EQ(NameText(stored[1].name), "Alpha");
  EXPECT_EQ(NameText(stored[2].name), "Carol");
  EXPECT_EQ(NameText(stored[3].name), "Bravo");
  EXPECT_EQ(NameText(stored[4].name), "vacant");
}

TEST(ReloadRecordsTest, NothingChangesWhileANameIsAskedAndAClearedFileKeepsOnlyUnsavedResults) {
  platform::MemoryFileSystem files;
  RecordBook other = EnteredUnsaved(files, "Other", 50);
  RecordBook book;
  LoadRecords(book, files, kNames);
  ASSERT_TRUE(SaveRecords(other, files).written());
  FakeRecordDialogs dialogs;
  dialogs.while_name_is_asked = [&] { EXPECT_FALSE(ReloadRecords(book, files)); };
  InsertRecord(book, 20, dialogs);
  EXPECT_EQ(NameText(book.table[1].name), "Ulvo Dask");
  EXPECT_TRUE(ReloadRecords(book, files));
  EXPECT_EQ(NameText(book.table[1].name), "Other");

  // The stored table goes (the storage was cleared): what this run had saved goes with it;
  // its unsaved result stays.
  ASSERT_TRUE(SaveRecords(book, files).written());
  InsertRecord(book, 10, dialogs);
  files.files.clear();
  EXPECT_TRUE(ReloadRecords(book, files));
  EXPECT_EQ(book.table[0], DefaultRecordTable(kNames)[0]);
  EXPECT_EQ(book.table[1].score, 10);
  EXPECT_EQ(book.table[2], DefaultRecordTable(kNames)[2]);
}

TEST(ReloadRecordsTest, ASaveWhileTheNameIsAskedKeepsAValidTypedNameAndTheFinalNameReplacesIt) {
  platform::MemoryFileSystem files;
  RecordBook book;
  LoadRecords(book, files, kNames);
  FakeRecordDialogs dialogs;
  dialogs.answers = {"Final"};
  dialogs.while_name_is_asked = [&] {
    book.pending->typed = MakeNameBuffer("Typed");
    ASSERT_TRUE(SaveRecords(book, files).written());
    EXPECT_EQ(NameText(Stored(files)[1].name), "Typed");
    book.pending->typed.reset();  // nothing valid typed: the name offered
    ASSERT_TRUE(SaveRecords(book, files).written());
    EXPECT_EQ(NameText(Stored(files)[1].name), "Ulvo Dask");
    book.pending->typed = MakeNameBuffer("Typed");
    ASSERT_TRUE(SaveRecords(book, files).written());
  };
  InsertRecord(book, 20, dialogs);
  ASSERT_TRUE(SaveRecords(book, files).written());
  const RecordTable stored = Stored(files);
  EXPECT_EQ(NameText(stored[1].name), "Final");
  EXPECT_EQ(stored[2], DefaultRecordTable(kNames)[1]) << "the result is stored once";
}

}  // namespace
}  // namespace rolvi::records
