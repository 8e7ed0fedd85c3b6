#include "platform/web/storage_file_system.h"

#include <gtest/gtest.h>

#include "platform/web/base64.h"
#include "records/record_file.h"
#include "support/program_assets.h"
#include "web/fake_page.h"

namespace rolvi::platform::web {
namespace {

const std::string kKey = "rolvi.records";

const records::DefaultNames& Names() {
  return rolvi::testing::ProgramTexts().default_names;
}

records::RecordBook BookWithResult(std::string_view name, std::uint16_t score) {
  records::RecordBook book;
  book.table[1].score = score;
  records::StoreName(book.table[1].name, name);
  book.recordsDirty = true;
  return book;
}

class StorageFileSystemTest : public ::testing::Test {
 protected:
  // A file system made now, reading the key as it is now.
  StorageFileSystem Files() { return {store, kKey, "winrolvi.res"}; }
  records::SaveOutcome SaveGrace(FileSystem& files, std::uint16_t score = 42) {
    records::RecordBook book = BookWithResult("Grace", score);
    return records::SaveRecords(book, files).outcome;
  }
  std::vector<std::uint8_t> Stored() const { return DecodeBase64(store.values.at(kKey)).value(); }

  testing::FakeStore store;
};

TEST_F(StorageFileSystemTest, TheTableGoesInAndComesBackAsBase64UnderOneKey) {
  {
    StorageFileSystem files = Files();
    records::RecordBook book;
    EXPECT_EQ(records::LoadRecords(book, files, Names()).outcome, records::LoadOutcome::kNoFile);
    EXPECT_EQ(SaveGrace(files), records::SaveOutcome::kWritten);
  }
  ASSERT_EQ(store.values.size(), 1u);
  const records::RecordFileImage expected =
      records::EncodeRecordFile(BookWithResult("Grace", 42).table);
  EXPECT_EQ(Stored(), std::vector<std::uint8_t>(expected.begin(), expected.end()));

  StorageFileSystem again = Files();
  records::RecordBook book;
  EXPECT_EQ(records::LoadRecords(book, again, Names()).outcome, records::LoadOutcome::kLoaded);
  EXPECT_EQ(records::NameText(book.table[1].name), "Grace");
  EXPECT_EQ(book.table[1].score, 42);
}

// Two tabs share the key: each reads it again when it opens the file, so that a save merges
// what the other stored since.
TEST_F(StorageFileSystemTest, EachOpenReadsTheKeyAgainSoTwoTabsKeepBothResults) {
  StorageFileSystem first = Files();
  StorageFileSystem second = Files();
  records::RecordBook alpha;
  records::RecordBook bravo;
  records::LoadRecords(alpha, first, Names());
  records::LoadRecords(bravo, second, Names());
  alpha.table[1] = BookWithResult("Alpha", 50).table[1];
  bravo.table[1] = BookWithResult("Bravo", 40).table[1];
  alpha.recordsDirty = bravo.recordsDirty = true;
  ASSERT_TRUE(records::SaveRecords(alpha, first).written());
  ASSERT_TRUE(records::SaveRecords(bravo, second).written());
  const records::DecodedRecords stored = records::DecodeRecordFile(Stored(), Names());
  EXPECT_EQ(records::NameText(stored.table[1].name), "Alpha");
  EXPECT_EQ(records::NameText(stored.table[2].name), "Bravo");
  EXPECT_EQ(stored.table[2].score, 40);

  store.values.clear();  // the storage was cleared
  EXPECT_EQ(first.OpenForReading("winrolvi.res"), nullptr);
}

TEST_F(StorageFileSystemTest, OnlyTheRecordFileExists) {
  StorageFileSystem files = Files();
  EXPECT_EQ(files.OpenForReading("winrolvi.res"), nullptr);  // not stored yet
  EXPECT_EQ(files.OpenForWriting("winrolvi.res"), nullptr);
  EXPECT_EQ(files.Create("rolvi.res"), nullptr);
  EXPECT_EQ(files.OpenForReading("rolvi.res"), nullptr);
  EXPECT_NE(files.Create("winrolvi.res"), nullptr);
  EXPECT_TRUE(store.values.contains(kKey));  // closed when the handle went
}

TEST_F(StorageFileSystemTest, AValueThatIsNotBase64CountsAsNoFileAndIsReplaced) {
  store.values[kKey] = "not a record table";
  StorageFileSystem files = Files();
  records::RecordBook book;
  EXPECT_EQ(records::LoadRecords(book, files, Names()).outcome, records::LoadOutcome::kNoFile);
  EXPECT_EQ(book.table, records::DefaultRecordTable(Names()));
  EXPECT_EQ(SaveGrace(files), records::SaveOutcome::kWritten);
  EXPECT_EQ(Stored().size(), 160u);
}

TEST_F(StorageFileSystemTest, ShortStoredTablesAreRepairedAndLongerOnesKeepTheirTail) {
  std::vector<std::uint8_t> long_file(170, 0);
  long_file[169] = 0xAB;
  store.values[kKey] = EncodeBase64(long_file);
  StorageFileSystem files = Files();
  EXPECT_EQ(SaveGrace(files), records::SaveOutcome::kWritten);
  ASSERT_EQ(Stored().size(), 170u);
  EXPECT_EQ(Stored()[169], 0xAB);

  store.values[kKey] = EncodeBase64(std::vector<std::uint8_t>(20, 0));
  StorageFileSystem short_files = Files();
  records::RecordBook book;
  EXPECT_EQ(records::LoadRecords(book, short_files, Names()).outcome,
            records::LoadOutcome::kRepaired);
}

TEST_F(StorageFileSystemTest, FullOrDisabledStorageLosesTheWriteSaysWhyAndNothingElse) {
  store.full = true;
  StorageFileSystem files = Files();
  records::RecordBook book = BookWithResult("Grace", 42);
  const records::SaveResult saved = records::SaveRecords(book, files);
  EXPECT_EQ(saved.outcome, records::SaveOutcome::kNotWritable);
  EXPECT_EQ(saved.error, FileError::kFull);
  EXPECT_EQ(files.Where(saved.file_name), "localStorage: rolvi.records");
  EXPECT_TRUE(store.values.empty());
  EXPECT_EQ(files.OpenForReading("winrolvi.res"), nullptr) << "nothing stored, nothing read";
  store.full = false;  // room again: the next save goes through
  EXPECT_EQ(SaveGrace(files, 43), records::SaveOutcome::kWritten);
  EXPECT_EQ(Stored().at(30), 43);
}

}  // namespace
}  // namespace rolvi::platform::web
