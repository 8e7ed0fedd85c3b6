// The record file: ten 16-byte records, no header (a length byte, the first 13 bytes of the
// name field, the score as 16 bits little-endian), read once at start-up from "winrolvi.res"
// or "rolvi.res" and written back in place at exit when the table changed.
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

// Reads "winrolvi.res", or else "rolvi.res", or else takes the default table of `names`; then
// sets recordScore and kingName from entry 0 and clears recordsDirty. A name under which
// stands something other than a regular file counts as missing.
LoadResult LoadRecords(RecordBook& book, platform::FileSystem& files, const DefaultNames& names);

// The table as it is to be kept: a result still waiting for its name (the name dialog is
// open) is filled in under the name the dialog offers.
RecordTable TableToSave(const RecordBook& book);

enum class SaveOutcome {
  kUnchanged,    // the table did not change since loading: nothing opened
  kWritten,      // all 160 bytes written
  kIncomplete,   // a file was opened but not every byte could be stored
  kNotWritable,  // no file could be opened or created: nothing written
};

struct SaveResult {
  SaveOutcome outcome = SaveOutcome::kUnchanged;
  // The file written, or the last one tried; and for a failure, why.
  std::string_view file_name;
  platform::FileError error = platform::FileError::kNone;
  bool written() const { return outcome == SaveOutcome::kWritten; }
  bool failed() const {
    return outcome == SaveOutcome::kIncomplete || outcome == SaveOutcome::kNotWritable;
  }
  friend bool operator==(const SaveResult&, const SaveResult&) = default;
};

// When recordsDirty, writes the table from offset 0 into "winrolvi.res", or else into
// "rolvi.res", or else into a newly created "winrolvi.res". Bytes after the first 160 of an
// existing file stay as they were. The book is left as it is, so that a save that failed can
// be tried again.
SaveResult SaveRecords(const RecordBook& book, platform::FileSystem& files);

}  // namespace rolvi::records
