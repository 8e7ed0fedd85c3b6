// The record file: ten 16-byte records, no header (a length byte, the first 13 bytes of the
// name field, the score as 16 bits little-endian), read once at start-up from "winrolvi.res"
// or "rolvi.res" and written back, merged with what other programs saved meanwhile, when a
// result entered the table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/file_system.h"
#include "records/record_book.h"
#include "records/record_table.h"

namespace rolvi::records {

inline constexpr std::string_view kRecordFileName = "winrolvi.res";
inline constexpr std::string_view kSecondRecordFileName = "rolvi.res";

inline constexpr std::size_t kRecordSize = 16;
inline constexpr std::size_t kStoredNameBytes = kMaxNameLength;
inline constexpr std::size_t kRecordFileSize = kRecordSize * kRecordCount;

using RecordFileImage = std::array<std::uint8_t, kRecordFileSize>;

struct DecodedRecords {
  RecordTable table;
  // Records that were missing or cut short, or whose length byte was above 13.
  int repairedRecords = 0;
};

// The table as the file stores it. The length byte counts the name's bytes before its first
// zero; the 13 name bytes are the field as it is, stale bytes after the terminator included.
RecordFileImage EncodeRecordFile(const RecordTable& table);

// Reads the table from the first 160 bytes; anything after them is ignored. A record whose 16
// bytes are not all present becomes the default entry for its place. A length byte above 13
// ends the name after 13 bytes. Every name comes back zero-terminated within its field, with
// the field's 14th byte 0.
DecodedRecords DecodeRecordFile(std::span<const std::uint8_t> bytes, const DefaultNames& names);

enum class LoadOutcome {
  kNoFile,      // neither file exists (or is a regular file): the default table
  kLoaded,      // read as stored
  kRepaired,    // read, but records were missing, cut short or had a length byte above 13
  kUnreadable,  // a file is there but could not be opened: the default table
};

struct LoadResult {
  LoadOutcome outcome = LoadOutcome::kNoFile;
  // For kUnreadable, the file and why it could not be opened.
  std::string_view file_name;
  platform::FileError error = platform::FileError::kNone;
  friend bool operator==(const LoadResult&, const LoadResult&) = default;
};

// Reads "winrolvi.res", or else "rolvi.res", or else takes the default table of `names` (which
// the book keeps for its saves); then sets recordScore and kingName from entry 0, the table
// last read, and clears recordsDirty. A name under which
// stands something other than a regular file counts as missing.
LoadResult LoadRecords(RecordBook& book, platform::FileSystem& files, const DefaultNames& names);

// The table as it is to be kept: a result still waiting for its name (the name dialog is
// open) is filled in under the valid name typed so far, or else the name the dialog offers.
RecordTable TableToSave(const RecordBook& book);

enum class SaveOutcome {
  kUnchanged,    // no result entered the table since loading: nothing opened
  kWritten,      // the whole file written
  kNotWritable,  // the file could not be replaced (see `error`): it stays as it was
};

struct SaveResult {
  SaveOutcome outcome = SaveOutcome::kUnchanged;
  // The file written, or the one that could not be; and for a failure, why.
  std::string_view file_name;
  platform::FileError error = platform::FileError::kNone;
  bool written() const { return outcome == SaveOutcome::kWritten; }
  bool failed() const { return outcome == SaveOutcome::kNotWritable; }
  friend bool operator==(const SaveResult&, const SaveResult&) = default;
};

// When recordsDirty: under the file system's lock, reads the table as the file holds it now
// (another program may have saved since), merges this run's new results into it
// (MergeResults) and replaces the file with it in one step: "winrolvi.res", or else
// "rolvi.res", whichever can be written, or else a new "winrolvi.res". Bytes after the first
// 160 of an existing file are kept (up to a megabyte of them). Once written, the merged table
// is also this run's. A save that failed leaves the file and this run's table as they were,
// so that it can be tried again.
SaveResult SaveRecords(RecordBook& book, platform::FileSystem& files);

// Another program saved (another tab of the page): reads the table as the file holds it now
// and keeps in it this run's results that are not saved yet (MergeResults), so that the
// records list and the next save hold both. Nothing while a result waits for its name (its
// own save merges then). Returns whether the table changed.
bool ReloadRecords(RecordBook& book, platform::FileSystem& files);

}  // namespace rolvi::records
