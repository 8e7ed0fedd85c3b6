#include "records/record_file.h"

#include <algorithm>
#include <utility>

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

// The file opened, and its name (the name last tried when none could be opened).
struct OpenedForWriting {
  platform::FileHandle file;
  std::string_view name;
};

OpenedForWriting OpenRecordFileForWriting(platform::FileSystem& files) {
  if (auto file = files.OpenForWriting(kRecordFileName)) return {std::move(file), kRecordFileName};
  if (auto file = files.OpenForWriting(kSecondRecordFileName)) {
    return {std::move(file), kSecondRecordFileName};
  }
  return {files.Create(kRecordFileName), kRecordFileName};
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
  return result;
}

RecordTable TableToSave(const RecordBook& book) {
  RecordTable table = book.table;
  if (book.pending && book.pending->index < table.size()) {
    RecordEntry& entry = table[book.pending->index];
    StoreName(entry.name, NameText(book.lastName));
    entry.score = SaturatedScore(book.pending->score);
  }
  return table;
}

SaveResult SaveRecords(const RecordBook& book, platform::FileSystem& files) {
  if (!book.recordsDirty) return {};
  OpenedForWriting opened = OpenRecordFileForWriting(files);
  if (!opened.file) return {SaveOutcome::kNotWritable, opened.name, files.LastError()};
  const RecordFileImage image = EncodeRecordFile(TableToSave(book));
  const bool all_written = opened.file->Write(image) == image.size();
  const bool stored = opened.file->Close();
  if (all_written && stored) return {SaveOutcome::kWritten, opened.name};
  return {SaveOutcome::kIncomplete, opened.name, opened.file->LastError()};
}

}  // namespace rolvi::records
