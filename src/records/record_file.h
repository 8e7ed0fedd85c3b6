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
DecodedRecords DecodeRecordFile(std::span<const std::uint8_t> bytes);

enum class LoadOutcome {
  kNoFile,    // neither file could be opened: the default table
  kLoaded,    // read as stored
  kRepaired,  // read, but records were missing, cut short or had a length byte above 13
};

// Reads "winrolvi.res", or else "rolvi.res", or else takes the default table; then sets
// recordScore and kingName from entry 0 and clears recordsDirty.
LoadOutcome LoadRecords(RecordBook& book, platform::FileSystem& files);

// The table as it is to be kept: a result still waiting for its name (the name dialog is
// open) is filled in under the name the dialog offers.
RecordTable TableToSave(const RecordBook& book);

enum class SaveOutcome {
  kUnchanged,    // no result entered the table since loading: nothing opened
  kWritten,      // the whole file written
  kIncomplete,   // a file was made but not every byte could be stored
  kNotWritable,  // no file could be made: nothing written
};

// When recordsDirty: under the file system's lock, reads the table as the file holds it now
// (another program may have saved since), merges this run's new results into it
// (MergeResults) and replaces the file with it in one step: "winrolvi.res", or else
// "rolvi.res", whichever can be written, or else a new "winrolvi.res". Bytes after the first
// 160 of an existing file are kept (up to a megabyte of them). Once written, the merged table
// is also this run's.
SaveOutcome SaveRecords(RecordBook& book, platform::FileSystem& files);

}  // namespace rolvi::records
