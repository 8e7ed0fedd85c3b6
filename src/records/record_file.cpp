#include "records/record_file.h"

#include <algorithm>
#include <vector>

#include "records/merge_results.h"

namespace rolvi::records {
namespace {

constexpr std::size_t kLengthOffset = 0;
constexpr std::size_t kNameOffset = 1;
constexpr std::size_t kScoreOffset = kNameOffset + kStoredNameBytes;

// Reads until the image is full or the file ends; returns the number of bytes read.
std::size_t ReadUpTo(platform::File& file, std::span<std::uint8_t> into) {
  std::size_t total = 0;
  while (total < into.size()) {
    const std::size_t count = file.Read(into.subspan(total));
    if (count == 0) break;
    total += std::min(count, into.size() - total);
  }
  return total;
}

// A longer record file keeps its bytes after the table; they are carried over up to this many.
constexpr std::size_t kLargestKeptFile = std::size_t{1} << 20;

// The file a save replaces: the first of the two that can be written, else a new first one.
std::string_view SaveTarget(platform::FileSystem& files) {
  if (files.OpenForWriting(kRecordFileName)) return kRecordFileName;
  if (files.OpenForWriting(kSecondRecordFileName)) return kSecondRecordFileName;
  return kRecordFileName;
}

// The table as LoadRecords reads it now.
RecordTable ReadTable(platform::FileSystem& files, const DefaultNames& names) {
  platform::FileHandle file = files.OpenForReading(kRecordFileName);
  if (!file) file = files.OpenForReading(kSecondRecordFileName);
  if (!file) return DefaultRecordTable(names);
  RecordFileImage image{};
  const std::size_t count = ReadUpTo(*file, image);
  return DecodeRecordFile(std::span(image.data(), count), names).table;
}

// What an existing file holds after its table.
std::vector<std::uint8_t> ReadTail(platform::FileSystem& files, std::string_view name) {
  std::vector<std::uint8_t> tail;
  platform::FileHandle file = files.OpenForWriting(name);
  if (!file) return tail;
  RecordFileImage table{};
  if (ReadUpTo(*file, table) < table.size()) return tail;
  std::array<std::uint8_t, 4096> chunk{};
  while (tail.size() < kLargestKeptFile) {
    const std::size_t count = file->Read(chunk);
    if (count == 0) break;
    tail.insert(tail.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(count));
  }
  return tail;
}

// After a save: the table becomes the merged one, with a result whose name is still being
// asked moved to its place there (its field as before, to be typed over).
void Adopt(RecordBook& book, const RecordTable& ours, const RecordTable& merged) {
  if (!book.pending) {
    book.table = merged;
    return;
  }
  const std::size_t index = book.pending->index;
  for (std::size_t i = 0; i < merged.size(); ++i) {
    if (merged[i] == ours[index]) {
      const RecordEntry asked = book.table[index];
      book.table = merged;
      book.table[i] = asked;
      book.pending->index = i;
      return;
    }
  }
  // Another program's results pushed it out of the file; this run's table keeps it.
}

// A failure to open for reading that says the file is there and could not be read, rather
// than missing: not a missing name, and not something other than a regular file.
bool UnreadableFile(platform::FileError error) {
  return error != platform::FileError::kNone && error != platform::FileError::kNotFound &&
         error != platform::FileError::kNotAFile;
}

}  // namespace

RecordFileImage EncodeRecordFile(const RecordTable& table) {
  RecordFileImage image{};
  for (std::size_t i = 0; i < table.size(); ++i) {
    const RecordEntry& entry = table[i];
    const std::span<std::uint8_t> record(image.data() + i * kRecordSize, kRecordSize);
    record[kLengthOffset] =
        static_cast<std::uint8_t>(std::min(NameLength(entry.name), kMaxNameLength));
    for (std::size_t b = 0; b < kStoredNameBytes; ++b) {
      record[kNameOffset + b] = static_cast<std::uint8_t>(entry.name[b]);
    }
    record[kScoreOffset] = static_cast<std::uint8_t>(entry.score & 0xFFu);
    record[kScoreOffset + 1] = static_cast<std::uint8_t>(entry.score >> 8);
  }
  return image;
}

DecodedRecords DecodeRecordFile(std::span<const std::uint8_t> bytes, const DefaultNames& names) {
  DecodedRecords decoded{DefaultRecordTable(names), 0};
  for (std::size_t i = 0; i < decoded.table.size(); ++i) {
    const std::size_t start = i * kRecordSize;
    if (bytes.size() < start + kRecordSize) {
      // A missing or cut-short record keeps the default entry for its place.
      ++decoded.repairedRecords;
      continue;
    }
    const std::span<const std::uint8_t> record = bytes.subspan(start, kRecordSize);
    RecordEntry entry;  // the field's 14th byte stays 0
    for (std::size_t b = 0; b < kStoredNameBytes; ++b) {
      entry.name[b] = static_cast<char>(record[kNameOffset + b]);
    }
    std::size_t length = record[kLengthOffset];
    if (length > kMaxNameLength) {
      length = kMaxNameLength;
      ++decoded.repairedRecords;
    }
    entry.name[length] = '\0';
    entry.score =
        static_cast<std::uint16_t>(record[kScoreOffset] | (record[kScoreOffset + 1] << 8));
    decoded.table[i] = entry;
  }
  return decoded;
}

LoadResult LoadRecords(RecordBook& book, platform::FileSystem& files, const DefaultNames& names) {
  LoadResult result;
  platform::FileHandle file = files.OpenForReading(kRecordFileName);
  const platform::FileError first_error = file ? platform::FileError::kNone : files.LastError();
  if (!file) file = files.OpenForReading(kSecondRecordFileName);
  if (!file && UnreadableFile(first_error)) {
    result = {LoadOutcome::kUnreadable, kRecordFileName, first_error};
  } else if (!file && UnreadableFile(files.LastError())) {
    result = {LoadOutcome::kUnreadable, kSecondRecordFileName, files.LastError()};
  }

  if (file) {
    RecordFileImage image{};
    const std::size_t count = ReadUpTo(*file, image);
    file->Close();
    const DecodedRecords decoded = DecodeRecordFile(std::span(image.data(), count), names);
    book.table = decoded.table;
    result.outcome = decoded.repairedRecords == 0 ? LoadOutcome::kLoaded : LoadOutcome::kRepaired;
  } else {
    book.table = DefaultRecordTable(names);
  }

  book.recordScore = book.table[0].score;
  book.kingName = MakeNameBuffer(NameText(book.table[0].name));
  book.recordsDirty = false;
  book.lastRead = book.table;
  book.names = names;
  return result;
}

RecordTable TableToSave(const RecordBook& book) {
  RecordTable table = book.table;
  if (book.pending && book.pending->index < table.size()) {
    RecordEntry& entry = table[book.pending->index];
    StoreName(entry.name, NameText(book.pending->typed.value_or(book.lastName)));
    entry.score = SaturatedScore(book.pending->score);
  }
  return table;
}

SaveResult SaveRecords(RecordBook& book, platform::FileSystem& files) {
  if (!book.recordsDirty) return {};
  const platform::FileLockHandle lock = files.Lock(kRecordFileName);
  const RecordTable fresh = ReadTable(files, book.names);
  const std::string_view target = SaveTarget(files);
  const RecordTable ours = TableToSave(book);
  const RecordTable merged = MergeResults(fresh, book.lastRead, ours, book.storedAsOffered);

  std::vector<std::uint8_t> content = ReadTail(files, target);
  const RecordFileImage image = EncodeRecordFile(merged);
  content.insert(content.begin(), image.begin(), image.end());
  const platform::FileError error = files.ReplaceAtomically(target, content);
  if (error != platform::FileError::kNone) return {SaveOutcome::kNotWritable, target, error};
  book.lastRead = merged;
  book.storedAsOffered.reset();
  if (book.pending) book.storedAsOffered = ours[book.pending->index];
  Adopt(book, ours, merged);
  return {SaveOutcome::kWritten, target};
}

bool ReloadRecords(RecordBook& book, platform::FileSystem& files) {
  if (book.pending) return false;
  const RecordTable fresh = ReadTable(files, book.names);
  if (fresh == book.lastRead) return false;
  // What a stored-as-offered entry became stays to be saved: lastRead still holds it.
  const RecordTable merged = MergeResults(fresh, book.lastRead, book.table, book.storedAsOffered);
  const bool changed = merged != book.table;
  book.lastRead = fresh;
  book.table = merged;
  return changed;
}

}  // namespace rolvi::records
