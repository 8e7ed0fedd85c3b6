// Merging a run's new results into the record table as its file holds it now, so that programs
// sharing one record file (two desktop programs in one folder, two tabs of the page) keep each
// other's results: a save reads the file, puts in what this run added, and writes it back.
#pragma once

#include <optional>

#include "records/record_table.h"

namespace rolvi::records {

// `ours` is this run's table: it started as `lastRead`, the table as this run last read or
// wrote the file, and then took this run's new results. `fresh` is the table the file holds
// now, which another program may have changed since. Returns `fresh` with this run's new
// results in it:
// - the results of `ours` that `lastRead` does not hold, best first, each entered as a
//   finished game's result is (above the first entry with a lower score; one that no longer
//   qualifies is dropped), its whole name field copied;
// - `storedAsOffered` is the entry a save stored for a result whose name was still being
//   asked, under the name offered then: the new result with its score takes that entry's
//   place instead of being entered again;
// - a new result is not entered twice: copies of it that `fresh` holds beyond those of
//   `lastRead` count as already stored (a write that reached the file although it was
//   reported failed).
// When nobody else wrote the file (`fresh` equals `lastRead`), the result is `ours`.
RecordTable MergeResults(const RecordTable& fresh, const RecordTable& lastRead,
                         const RecordTable& ours,
                         const std::optional<RecordEntry>& storedAsOffered = std::nullopt);

}  // namespace rolvi::records
