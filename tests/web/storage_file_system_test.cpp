#include "platform/web/storage_file_system.h"

#include <gtest/gtest.h>

#include "platform/web/base64.h"
#include "records/record_file.h"
#include "web/fake_page.h"

namespace rolvi::platform::web {
namespace {

using testing::FakeStore;

constexpr std::string_view kKey = "rolvi.records";

records::RecordBook BookWithResult(std::string_view name, std::uint16_t score) {
  records::RecordBook book;
  book.table[1].score = score;
  records::StoreName(book.table[1].name, name);
  book.recordsDirty = true;
  return book;
}

TEST(StorageFileSystemTest, TheTableGoesInAndComesBackAsBase64UnderOneKey) {
  FakeStore store;
  {
    StorageFileSystem files(store, std::string(kKey), "winrolvi.res");
    records::RecordBook book;
    EXPECT_EQ(records::LoadRecords(book, files), records::LoadOutcome::kNoFile);
    EXPECT_EQ(records::SaveRecords(BookWithResult("Grace", 42), files),
              records::SaveOutcome::kWritten);
  }
  ASSERT_EQ(store.values.size(), 1u);
  const auto bytes = DecodeBase64(store.values.at(std::string(kKey)));
  ASSERT_TRUE(bytes);
  const records::RecordFileImage expected =
      records::EncodeRecordFile(BookWithResult("Grace", 42).table);
  EXPECT_EQ(*bytes, std::vector<std::uint8_t>(expected.begin(), expected.end()));

  StorageFileSystem again(store, std::string(kKey), "winrolvi.res");
  records::RecordBook book;
  EXPECT_EQ(records::LoadRecords(book, again), records::LoadOutcome::kLoaded);
  EXPECT_EQ(records::NameText(book.table[1].name), "Grace");
  EXPECT_EQ(book.table[1].score, 42);
}

TEST(StorageFileSystemTest, TheKeyIsReadOnceWhenTheFileSystemIsMade) {
  FakeStore store;
  const records::RecordFileImage image = records::EncodeRecordFile(BookWithResult("Ada", 7).table);
  store.values[std::string(kKey)] = EncodeBase64(image);
  StorageFileSystem files(store, std::string(kKey), "winrolvi.res");
  store.values.clear();  // another page's change later on is not seen
  records::RecordBook book;
  EXPECT_EQ(records::LoadRecords(book, files), records::LoadOutcome::kLoaded);
  EXPECT_EQ(records::NameText(book.table[1].name), "Ada");
  EXPECT_EQ(store.reads, 1);
}

TEST(StorageFileSystemTest, OnlyTheRecordFileExists) {
  FakeStore store;
  StorageFileSystem files(store, std::string(kKey), "winrolvi.res");
  EXPECT_EQ(files.OpenForReading("winrolvi.res"), nullptr);  // not stored yet
  EXPECT_EQ(files.OpenForWriting("winrolvi.res"), nullptr);
  EXPECT_EQ(files.Create("rolvi.res"), nullptr);
  EXPECT_EQ(files.OpenForReading("rolvi.res"), nullptr);
  EXPECT_NE(files.Create("winrolvi.res"), nullptr);
  EXPECT_TRUE(store.values.contains(kKey));  // closed when the handle went
}

TEST(StorageFileSystemTest, AValueThatIsNotBase64CountsAsNoFileAndIsReplaced) {
  FakeStore store;
  store.values[std::string(kKey)] = "not a record table";
  StorageFileSystem files(store, std::string(kKey), "winrolvi.res");
  records::RecordBook book;
  EXPECT_EQ(records::LoadRecords(book, files), records::LoadOutcome::kNoFile);
  EXPECT_EQ(book.table, records::DefaultRecordTable());
  EXPECT_EQ(records::SaveRecords(BookWithResult("Grace", 42), files),
            records::SaveOutcome::kWritten);
  EXPECT_EQ(DecodeBase64(store.values.at(std::string(kKey)))->size(), 160u);
}

TEST(StorageFileSystemTest, ShortStoredTablesAreRepairedAndLongerOnesKeepTheirTail) {
  FakeStore store;
  std::vector<std::uint8_t> long_file(170, 0);
  long_file[169] = 0xAB;
  store.values[std::string(kKey)] = EncodeBase64(long_file);
  StorageFileSystem files(store, std::string(kKey), "winrolvi.res");
  EXPECT_EQ(records::SaveRecords(BookWithResult("Grace", 42), files),
            records::SaveOutcome::kWritten);
  const auto bytes = DecodeBase64(store.values.at(std::string(kKey)));
  ASSERT_EQ(bytes->size(), 170u);
  EXPECT_EQ((*bytes)[169], 0xAB);

  store.values[std::string(kKey)] = EncodeBase64(std::vector<std::uint8_t>(20, 0));
  StorageFileSystem short_files(store, std::string(kKey), "winrolvi.res");
  records::RecordBook book;
  EXPECT_EQ(records::LoadRecords(book, short_files), records::LoadOutcome::kRepaired);
}

TEST(StorageFileSystemTest, FullOrDisabledStorageLosesTheWriteAndNothingElse) {
  FakeStore store;
  store.full = true;
  StorageFileSystem files(store, std::string(kKey), "winrolvi.res");
  EXPECT_EQ(records::SaveRecords(BookWithResult("Grace", 42), files),
            records::SaveOutcome::kIncomplete);
  EXPECT_TRUE(store.values.empty());
  store.full = false;  // room again: the next save goes through
  EXPECT_EQ(records::SaveRecords(BookWithResult("Grace", 43), files),
            records::SaveOutcome::kWritten);
  EXPECT_EQ(DecodeBase64(store.values.at(std::string(kKey)))->at(30), 43);
}

}  // namespace
}  // namespace rolvi::platform::web
