// Entering a finished game's result into the record table: find its place, shift the entries
// below down, ask the player's name and show the updated list.
#pragma once

#include <cstdint>
#include <optional>

#include "records/record_book.h"
#include "records/record_dialogs.h"

namespace rolvi::records {

// `score` enters above the first entry whose score is strictly below it (so it goes below
// equal scores); the entries from there on move down one place and the last one is lost. The
// score is stored saturated at 65,535. Returns the index it entered at, or nothing when it
// did not qualify, in which case nothing changes and no dialog opens.
std::optional<std::size_t> InsertRecord(RecordBook& book, std::int32_t score,
                                        RecordDialogs& dialogs);

}  // namespace rolvi::records
