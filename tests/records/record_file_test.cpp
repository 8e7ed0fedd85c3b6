#include "records/record_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "platform/file_system.h"
#include "platform/memory_file_system.h"
#include "records/insert_record.h"
#include "support/fake_record_dialogs.h"
#include "support/program_assets.h"
#include "support/record_builders.h"
#include "support/temp_directory.h"

namespace rolvi::records {
namespace {

using platform::DiskFileSystem;
using platform::MemoryFileSystem;
using testing::Bytes;
using testing::EntryOf;
using testing::FakeRecordDialogs;
using testing::ReadWholeFile;
using testing::TableWithScores;
using testing::TempDirectory;
using testing::WriteWholeFile;
using namespace std::string_view_literals;

const DefaultNames& Names() {
  return testing::ProgramTexts().default_names;
}

// One 16-byte record spelled out: length byte, exactly 13 name bytes, score low and high.
Bytes Record(std::uint8_t length, std::string_view name_bytes, std::uint8_t low,
             std::uint8_t high) {
  Bytes record{length};
  for (std::size_t i = 0; i < 13; ++i) {
    record.push_back(i < name_bytes.size() ? static_cast<std::uint8_t>(name_bytes[i]) : 0);
  }
  record.push_back(low);
  record.push_back(high);
  return record;
}

Bytes Concatenate(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts)
    all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Ten records: the given ones first, vacant ones after them.
Bytes FileOf(std::initializer_list<Bytes> records) {
  Bytes file = Concatenate(records);
  while (file.size() < kRecordFileSize)
    file = Concatenate({file, Record(9, "- \xBF\xD5 \xC8\xB1 -", 0, 0)});
  return file;
}

class RecordFileTest : public ::testing::Test {
 protected:
  bool Exists(std::string_view name) const { return std::filesystem::exists(directory_ / name); }
  void Put(std::string_view name, const Bytes& content) {
    WriteWholeFile(directory_ / name, content);
  }
  Bytes Get(std::string_view name) const { return ReadWholeFile(directory_ / name); }

  // A run of the program: load, enter the given results, save.
  void PlayAndQuit(std::initializer_list<std::pair<std::int32_t, std::string>> results) {
    RecordBook book;
    LoadRecords(book, files_, Names());
    for (const auto& [score, name] : results) {
      dialogs_.answers.push_back(name);
      InsertRecord(book, score, dialogs_);
    }
    SaveRecords(book, files_);
  }

  TempDirectory directory_;
  DiskFileSystem files_{directory_.path()};
  FakeRecordDialogs dialogs_;
};

TEST_F(RecordFileTest, NoFileGivesTheDefaultTableAndNothingIsCreatedAtExit) {
  RecordBook book;
  book.recordScore = 7;
  book.kingName = MakeNameBuffer("someone");
  book.recordsDirty = true;
  EXPECT_EQ(LoadRecords(book, files_, Names()).outcome, LoadOutcome::kNoFile);
  EXPECT_EQ(book.table, DefaultRecordTable(Names()));
  EXPECT_EQ(book.recordScore, 100);
  EXPECT_EQ(NameText(book.kingName), Names().king);
  EXPECT_FALSE(book.recordsDirty);

  EXPECT_EQ(InsertRecord(book, 0, dialogs_), std::nullopt);
  EXPECT_EQ(SaveRecords(book, files_).outcome, SaveOutcome::kUnchanged);
  EXPECT_TRUE(std::filesystem::is_empty(directory_.path()));
}

TEST_F(RecordFileTest, AQualifyingResultCreatesTheFirstChoiceFileWithTheExactLayout) {
  // "Ann" is typed over the King's field and keeps its tail; "Max" pushes that field down
  // and is typed over the same bytes again.
  PlayAndQuit({{300, "Ann"}, {70000, "Max"}});
  EXPECT_FALSE(Exists(kSecondRecordFileName));
  EXPECT_EQ(Get(kRecordFileName), FileOf({Record(3, "Max\0 \xCD\xF5 "sv, 0xFF, 0xFF),
                                          Record(3, "Ann\0 \xCD\xF5 "sv, 0x2C, 0x01),
                                          Record(8, " \xB9\xFA  \xCD\xF5 ", 100, 0)}));
}

TEST_F(RecordFileTest, SaveThenLoadGivesBackNamesAndScoresIncludingAThirteenByteName) {
  PlayAndQuit({{4660, "ThirteenBytes"}, {50, "x"}, {65535, "Top"}});
  RecordBook book;
  EXPECT_EQ(LoadRecords(book, files_, Names()).outcome, LoadOutcome::kLoaded);
  EXPECT_EQ(NameText(book.kingName), "Top");
  EXPECT_EQ(book.recordScore, 65535);
  EXPECT_EQ(book.table[1], EntryOf("ThirteenBytes", 4660));
  EXPECT_EQ(NameText(book.table[3].name), "x");
  // The 13-byte name is stored without its terminator, the score little-endian.
  const Bytes file = Get(kRecordFileName);
  EXPECT_EQ(Bytes(file.begin() + 16, file.begin() + 32), Record(13, "ThirteenBytes", 0x34, 0x12));
}

TEST_F(RecordFileTest, SecondChoiceFileIsReadAndWrittenBackWhenTheFirstIsAbsent) {
  const Bytes original = FileOf({Record(4, "Rolv", 10, 0)});
  Put(kSecondRecordFileName, original);
  RecordBook book;
  EXPECT_EQ(LoadRecords(book, files_, Names()).outcome, LoadOutcome::kLoaded);
  EXPECT_EQ(NameText(book.kingName), "Rolv");
  EXPECT_EQ(book.recordScore, 10);

  dialogs_.answers = {"New"};
  InsertRecord(book, 20, dialogs_);
  EXPECT_EQ(SaveRecords(book, files_).outcome, SaveOutcome::kWritten);
  EXPECT_FALSE(Exists(kRecordFileName));
  EXPECT_EQ(Get(kSecondRecordFileName),
            FileOf({Record(3, "New", 20, 0), Record(4, "Rolv", 10, 0)}));
}

TEST_F(RecordFileTest, FirstChoiceFileWinsOverTheSecond) {
  Put(kRecordFileName, FileOf({Record(5, "First", 90, 0)}));
  Put(kSecondRecordFileName, FileOf({Record(6, "Second", 80, 0)}));
  PlayAndQuit({{85, "Mid"}});
  EXPECT_EQ(Get(kRecordFileName),
            FileOf({Record(5, "First", 90, 0), Record(3, "Mid\0 \xC8\xB1 -"sv, 85, 0)}));
  EXPECT_EQ(Get(kSecondRecordFileName), FileOf({Record(6, "Second", 80, 0)}));
}

TEST_F(RecordFileTest, ALongerFileKeepsItsBytesAfterTheTable) {
  const Bytes trailer = {0xDE, 0xAD, 0xBE, 0xEF, 0x00, 0x7F};
  Put(kRecordFileName, Concatenate({FileOf({Record(4, "Solo", 50, 0)}), trailer}));
  RecordBook book;
  EXPECT_EQ(LoadRecords(book, files_, Names()).outcome, LoadOutcome::kLoaded);
  EXPECT_EQ(book.table[0], EntryOf("Solo", 50));
  EXPECT_EQ(book.table[1], DefaultRecordEntry(1, Names()));
  PlayAndQuit({{1, "One"}});
  EXPECT_EQ(Get(kRecordFileName),
            Concatenate({FileOf({Record(4, "Solo", 50, 0), Record(3, "One\0 \xC8\xB1 -"sv, 1, 0)}),
                         trailer}));
}

TEST(RecordFileFallbackTest, UnwritableFirstChoiceFallsBackToTheSecondThenToCreating) {
  MemoryFileSystem files;
  files.files[std::string(kRecordFileName)] = FileOf({Record(1, "A", 9, 0)});
  files.files[std::string(kSecondRecordFileName)] = FileOf({});
  files.read_only.insert(std::string(kRecordFileName));
  RecordBook book;
  LoadRecords(book, files, Names());
  EXPECT_EQ(NameText(book.kingName), "A");
  FakeRecordDialogs dialogs;
  dialogs.answers = {"B", "C"};
  InsertRecord(book, 5, dialogs);
  EXPECT_EQ(SaveRecords(book, files).outcome, SaveOutcome::kWritten);
  // The table read from the first file, with the result, went into the second.
  EXPECT_EQ(files.files[std::string(kSecondRecordFileName)],
            FileOf({Record(1, "A", 9, 0), Record(1, "B\0\xBF\xD5 \xC8\xB1 -"sv, 5, 0)}));

  files.read_only.insert(std::string(kSecondRecordFileName));
  EXPECT_EQ(SaveRecords(book, files).outcome, SaveOutcome::kNotWritable);
  files.files.clear();
  files.read_only.clear();
  InsertRecord(book, 200, dialogs);
  EXPECT_EQ(SaveRecords(book, files).outcome, SaveOutcome::kWritten);
  // With neither file there the first is made, from the default table and the new result
  // (typed over the field of A, who led this run's table).
  EXPECT_EQ(files.files[std::string(kRecordFileName)],
            FileOf({Record(1, "C", 200, 0), Record(8, " \xB9\xFA  \xCD\xF5 ", 100, 0)}));
  EXPECT_EQ(files.locks_taken, 3);
  EXPECT_EQ(files.locks_held, 0);
}

TEST(DecodeRecordFileTest, AShortFileKeepsItsWholeRecordsAndFillsTheRestWithDefaults) {
  const Bytes whole = Concatenate({Record(3, "One", 30, 0), Record(3, "Two", 20, 0)});
  const Bytes cut = Concatenate({whole, Record(5, "Three", 10, 0)});
  const DecodedRecords decoded = DecodeRecordFile(Bytes(cut.begin(), cut.begin() + 40), Names());
  EXPECT_EQ(decoded.repairedRecords, 8);
  EXPECT_EQ(decoded.table[0], EntryOf("One", 30));
  EXPECT_EQ(decoded.table[1], EntryOf("Two", 20));
  for (std::size_t i = 2; i < 10; ++i)
    EXPECT_EQ(decoded.table[i], DefaultRecordEntry(i, Names())) << i;

  // Without one whole record, the table is the default one.
  EXPECT_EQ(DecodeRecordFile(Bytes(cut.begin(), cut.begin() + 15), Names()).table,
            DefaultRecordTable(Names()));
}

TEST(DecodeRecordFileTest, ALengthByteAboveThirteenEndsTheNameAfterThirteenBytes) {
  for (const std::uint8_t length : {14, 200, 255}) {
    const DecodedRecords decoded =
        DecodeRecordFile(FileOf({Record(length, "ABCDEFGHIJKLM", 1, 0)}), Names());
    EXPECT_EQ(decoded.repairedRecords, 1);
    EXPECT_EQ(NameText(decoded.table[0].name), "ABCDEFGHIJKLM");
    EXPECT_EQ(decoded.table[0].name[13], '\0');
    EXPECT_EQ(decoded.table[0].score, 1);
  }
  // A length byte past an earlier zero: the name ends at the zero, as any reader sees it.
  const DecodedRecords early = DecodeRecordFile(FileOf({Record(9, "ab\0cdefgh"sv, 1, 0)}), Names());
  EXPECT_EQ(early.repairedRecords, 0);
  EXPECT_EQ(NameText(early.table[0].name), "ab");
}

TEST_F(RecordFileTest, DamagedFilesLoadAsWellFormedTablesAndSurviveASave) {
  Put(kRecordFileName, Concatenate({Record(200, "ABCDEFGHIJKLM", 1, 2), Bytes(10, 0xAB)}));
  RecordBook book;
  EXPECT_EQ(LoadRecords(book, files_, Names()).outcome, LoadOutcome::kRepaired);
  EXPECT_EQ(NameText(book.kingName), "ABCDEFGHIJKLM");
  EXPECT_EQ(book.recordScore, 0x0201);
  EXPECT_EQ(book.table[1], DefaultRecordEntry(1, Names()));

  // The repaired table is what gets written; the damaged bytes beyond it are overwritten.
  book.recordsDirty = true;
  EXPECT_EQ(SaveRecords(book, files_).outcome, SaveOutcome::kWritten);
  EXPECT_EQ(Get(kRecordFileName), FileOf({Record(13, "ABCDEFGHIJKLM", 1, 2)}));

  Put(kRecordFileName, {});
  EXPECT_EQ(LoadRecords(book, files_, Names()).outcome, LoadOutcome::kRepaired);
  EXPECT_EQ(book.table, DefaultRecordTable(Names()));
  EXPECT_EQ(book.recordScore, 100);
}

// A file that is there but cannot be read is told apart from a missing one (and from a name
// under which stands no regular file, which counts as missing): the table is the default one.
TEST(RecordFileProblemTest, AFileThatCannotBeReadSaysWhichAndWhy) {
  MemoryFileSystem files;
  files.files[std::string(kRecordFileName)] = FileOf({Record(1, "A", 9, 0)});
  files.unreadable.insert(std::string(kRecordFileName));
  RecordBook book;
  EXPECT_EQ(LoadRecords(book, files, Names()),
            (LoadResult{LoadOutcome::kUnreadable, kRecordFileName, platform::FileError::kDenied}));
  EXPECT_EQ(book.table, DefaultRecordTable(Names()));

  // The second file is still tried, and read when it can be.
  files.files[std::string(kSecondRecordFileName)] = FileOf({Record(1, "B", 8, 0)});
  EXPECT_EQ(LoadRecords(book, files, Names()).outcome, LoadOutcome::kLoaded);
  EXPECT_EQ(NameText(book.kingName), "B");
}

TEST_F(RecordFileTest, AFifoCountsAsMissingAndIsNeverWritten) {
  ASSERT_EQ(mkfifo((directory_.path() / kRecordFileName).c_str(), 0600), 0);
  RecordBook book;
  EXPECT_EQ(LoadRecords(book, files_, Names()).outcome, LoadOutcome::kNoFile);
  dialogs_.answers = {"Fifo"};
  InsertRecord(book, 5, dialogs_);
  EXPECT_EQ(SaveRecords(book, files_), (SaveResult{SaveOutcome::kNotWritable, kRecordFileName,
                                                   platform::FileError::kNotAFile}));
  EXPECT_TRUE(std::filesystem::is_fifo(directory_.path() / kRecordFileName));
}

// A save that fails says which file and why, and leaves the book as it was, so that a later
// save, once the place can be written, keeps the result.
TEST(RecordFileProblemTest, AFailedSaveSaysWhyAndALaterOneStillKeepsTheResult) {
  MemoryFileSystem files;
  RecordBook book;
  LoadRecords(book, files, Names());
  FakeRecordDialogs dialogs;
  dialogs.answers = {"Kept"};
  InsertRecord(book, 50, dialogs);

  files.creation_fails = true;
  EXPECT_EQ(SaveRecords(book, files),
            (SaveResult{SaveOutcome::kNotWritable, kRecordFileName, platform::FileError::kDenied}));
  EXPECT_TRUE(book.recordsDirty);

  files.creation_fails = false;
  files.capacity = 100;  // the disk fills up after 100 bytes
  const SaveResult full = SaveRecords(book, files);
  EXPECT_EQ(full,
            (SaveResult{SaveOutcome::kNotWritable, kRecordFileName, platform::FileError::kFull}));
  EXPECT_TRUE(full.failed());
  EXPECT_FALSE(files.files.contains(std::string(kRecordFileName))) << "nothing half written";

  files.capacity = kRecordFileSize;
  EXPECT_EQ(SaveRecords(book, files),
            (SaveResult{SaveOutcome::kWritten, kRecordFileName, platform::FileError::kNone}));
  RecordBook again;
  LoadRecords(again, files, Names());
  EXPECT_EQ(NameText(again.table[1].name), "Kept");  // below the King's 100
  EXPECT_EQ(again.table[1].score, 50);
}

// The folder the files live in has gone, or a file stands where it should be: nothing can be
// created there, and the reason says the folder is missing.
TEST(RecordFileProblemTest, AFolderThatIsNotThereCannotTakeTheFile) {
  TempDirectory directory;
  WriteWholeFile(directory.path() / "plain", {1});
  for (const auto& folder : {directory.path() / "gone", directory.path() / "plain"}) {
    DiskFileSystem files(folder.string());
    RecordBook book;
    book.recordsDirty = true;
    const SaveResult saved = SaveRecords(book, files);
    EXPECT_EQ(saved, (SaveResult{SaveOutcome::kNotWritable, kRecordFileName,
                                 platform::FileError::kNotFound}))
        << folder;
    EXPECT_EQ(files.Where(saved.file_name), (folder / kRecordFileName).string());
  }
}

}  // namespace
}  // namespace rolvi::records
