#include "records/record_file.h"

#include <algorithm>

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

platform::FileHandle OpenRecordFileForWriting(platform::FileSystem& files) {
  if (auto file = files.OpenForWriting(kRecordFileName)) return file;
  if (auto file = files.OpenForWriting(kSecondRecordFileName)) return file;
  return files.Create(kRecordFileName);
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

DecodedRecords DecodeRecordFile(std::span<const std::uint8_t> bytes) {
  DecodedRecords decoded{DefaultRecordTable(), 0};
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

LoadOutcome LoadRecords(RecordBook& book, platform::FileSystem& files) {
  platform::FileHandle file = files.OpenForReading(kRecordFileName);
  if (!file) file = files.OpenForReading(kSecondRecordFileName);

  LoadOutcome outcome = LoadOutcome::kNoFile;
  if (file) {
    RecordFileImage image{};
    const std::size_t count = ReadUpTo(*file, image);
    file->Close();
    const DecodedRecords decoded = DecodeRecordFile(std::span(image.data(), count));
    book.table = decoded.table;
    outcome = decoded.repairedRecords == 0 ? LoadOutcome::kLoaded : LoadOutcome::kRepaired;
  } else {
    book.table = DefaultRecordTable();
  }

  book.recordScore = book.table[0].score;
  book.kingName = MakeNameBuffer(NameText(book.table[0].name));
  book.recordsDirty = false;
  return outcome;
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

SaveOutcome SaveRecords(const RecordBook& book, platform::FileSystem& files) {
  if (!book.recordsDirty) return SaveOutcome::kUnchanged;
  platform::FileHandle file = OpenRecordFileForWriting(files);
  if (!file) return SaveOutcome::kNotWritable;
  const RecordFileImage image = EncodeRecordFile(TableToSave(book));
  const bool all_written = file->Write(image) == image.size();
  const bool stored = file->Close();
  return all_written && stored ? SaveOutcome::kWritten : SaveOutcome::kIncomplete;
}

}  // namespace rolvi::records
