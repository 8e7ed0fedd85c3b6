// Feeds arbitrary bytes to the game as its record file: loading must give a well-formed
// table, a result may enter it, and saving then loading again must give the same table back,
// with the bytes after the table untouched. Another program that read the same file and
// entered a result of its own saves after it: the file then holds both results, as if they
// had been entered one after the other (for a table in the program's order).

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
  explicit AcceptingDialogs(const char* name) : name_(name) {}
  void RunNameDialog(NameBuffer& lastName) override {
    lastName = rolvi::records::MakeNameBuffer(name_);
  }
  void ShowRecordsDialog(const RecordTable&) override {}

 private:
  const char* name_;
};

bool SameResults(const RecordTable& a, const RecordTable& b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!rolvi::records::SameResult(a[i], b[i])) return false;
  }
  return true;
}

void Require(bool condition) {
  if (!condition) std::abort();
}

// Names for the default entries; the program's come from its string table.
constexpr rolvi::records::DefaultNames kNames{"King", "vacant"};

// The program keeps its table best first. In a table out of that order (a hostile file) a
// result entered above an equal one that it then pushed out cannot be told from it, so the
// merge of two programs is only checked for tables in order.
bool BestFirst(const RecordTable& table) {
  return std::is_sorted(table.begin(), table.end(),
                        [](const auto& a, const auto& b) { return a.score > b.score; });
}

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
  RecordBook other = book;  // another program, started on the same file

  // The first four bytes double as a finished game's result, the next two as the other
  // program's: within what the file stores, so that the file orders it as the program did (a
  // result above 65,535 goes above an entry of 65,535, which the file cannot tell).
  std::int32_t scores[2] = {0, 0};
  if (size >= 6) {
    std::memcpy(&scores[0], data, 4);
    scores[1] = data[4] | data[5] << 8;
  }
  AcceptingDialogs first("Fuzz");
  records::InsertRecord(book, scores[0], first);
  Require(WellFormed(book));

  book.recordsDirty = true;
  const RecordTable before = book.table;
  Require(records::SaveRecords(book, files).written());
  Require(book.table == before);  // nobody else wrote: the merge changes nothing
  const auto& saved = files.files[name];
  Require(saved.size() == std::max(size, records::kRecordFileSize));
  for (std::size_t i = records::kRecordFileSize; i < size; ++i)
    Require(saved[i] == data[i]);

  RecordBook again;
  Require(records::LoadRecords(again, files, kNames).outcome == records::LoadOutcome::kLoaded);
  Require(again.table == book.table);

  AcceptingDialogs second("Other");
  if (!BestFirst(other.table) || !records::InsertRecord(other, scores[1], second)) return 0;
  Require(records::SaveRecords(other, files).written());
  AcceptingDialogs replay("Other");
  records::InsertRecord(again, scores[1], replay);
  RecordBook both;
  records::LoadRecords(both, files, kNames);
  Require(SameResults(both.table, again.table));
  return 0;
}
