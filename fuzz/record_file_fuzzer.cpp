// Feeds arbitrary bytes to the game as its record file: loading must give a well-formed
// table, a result may enter it, and saving then loading again must give the same table back,
// with the bytes after the table untouched.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/memory_file_system.h"
#include "records/insert_record.h"
#include "records/record_book.h"
#include "records/record_dialogs.h"
#include "records/record_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using rolvi::records::NameBuffer;
using rolvi::records::RecordBook;
using rolvi::records::RecordTable;

class AcceptingDialogs : public rolvi::records::RecordDialogs {
 public:
  void RunNameDialog(NameBuffer& lastName) override {
    lastName = rolvi::records::MakeNameBuffer("Fuzz");
  }
  void ShowRecordsDialog(const RecordTable&) override {}
};

void Require(bool condition) {
  if (!condition) std::abort();
}

// Names for the default entries; the program's come from its string table.
constexpr rolvi::records::DefaultNames kNames{"King", "vacant"};

bool WellFormed(const RecordBook& book) {
  for (const auto& entry : book.table) {
    if (entry.name[rolvi::records::kMaxNameLength] != '\0') return false;
  }
  return book.kingName.back() == '\0';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rolvi;
  const std::string name(records::kRecordFileName);
  const platform::MemoryFileSystem::Bytes input(data, data + size);

  platform::MemoryFileSystem files;
  files.files[name] = input;
  RecordBook book;
  records::LoadRecords(book, files, kNames);
  Require(WellFormed(book));
  Require(book.recordScore == book.table[0].score);

  // The first four bytes double as a finished game's result.
  if (size >= 4) {
    std::int32_t score = 0;
    std::memcpy(&score, data, sizeof score);
    AcceptingDialogs dialogs;
    records::InsertRecord(book, score, dialogs);
    Require(WellFormed(book));
  }

  book.recordsDirty = true;
  Require(records::SaveRecords(book, files).written());
  const auto& saved = files.files[name];
  Require(saved.size() == std::max(size, records::kRecordFileSize));
  for (std::size_t i = records::kRecordFileSize; i < size; ++i)
    Require(saved[i] == data[i]);

  RecordBook again;
  Require(records::LoadRecords(again, files, kNames).outcome == records::LoadOutcome::kLoaded);
  Require(again.table == book.table);
  return 0;
}
