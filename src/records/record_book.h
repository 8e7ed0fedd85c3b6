// RecordBook: the record table together with the state that travels with it - the King's
// name and score for the race, the last name a player entered, and whether the table changed
// since it was loaded. One instance lives for the whole run.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "records/record_table.h"

namespace rolvi::records {

inline constexpr std::size_t kNameBufferSize = 16;
// A zero-terminated name of at most 15 bytes.
using NameBuffer = std::array<char, kNameBufferSize>;

// The text, cut to 15 bytes, and zeros after it.
constexpr NameBuffer MakeNameBuffer(std::string_view text) {
  NameBuffer buffer{};
  for (std::size_t i = 0; i < text.size() && i + 1 < buffer.size(); ++i)
    buffer[i] = text[i];
  return buffer;
}

inline constexpr NameBuffer kInitialLastName = MakeNameBuffer("Ulvo Dask");

// A result whose place in the table is taken while the player is still asked for a name.
struct PendingResult {
  std::size_t index = 0;
  std::int32_t score = 0;
  // The name typed in the dialog so far, where the name check accepts it: a save meanwhile
  // keeps the result under it rather than under the name offered.
  std::optional<NameBuffer> typed;
};

// Starts as the state after loading without a record file, but with unnamed entries:
// LoadRecords, which the program calls before anything is shown, names them.
struct RecordBook {
  RecordTable table = DefaultRecordTable({});
  // Set from entry 0 by LoadRecords; later changed only when the record is beaten.
  std::int32_t recordScore = kKingScore;
  NameBuffer kingName{};
  // The last name accepted in the name dialog, offered again next time.
  NameBuffer lastName = kInitialLastName;
  // True once a result entered the table since it was loaded; only then is it saved.
  bool recordsDirty = false;
  // The table as the record file held it when this run last read or wrote it: what the table
  // holds beyond it are this run's results, which a save merges into the file as it is then.
  RecordTable lastRead = DefaultRecordTable({});
  // The default entries' names LoadRecords was given: a save reads the file again and fills
  // what it lacks with them.
  DefaultNames names;
  // What a save stored for a result whose name was still being asked (under the name offered
  // then), for the next save to put the final entry in its place.
  std::optional<RecordEntry> storedAsOffered;
  // Set while the name dialog of a new result is open, so that a save forced meanwhile (the
  // display went away) keeps the result under the name offered.
  std::optional<PendingResult> pending;
};

}  // namespace rolvi::records
