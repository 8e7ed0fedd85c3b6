#include "records/merge_results.h"

#include <array>

namespace rolvi::records {
namespace {

using Marks = std::array<bool, kRecordCount>;

// Pairs each entry of `ours` with an equal, still unpaired entry of `lastRead`, in table
// order: of two equal results the older stands higher, so the newer one stays unpaired.
void Pair(const RecordTable& ours, const RecordTable& lastRead, Marks& ours_paired,
          Marks& read_paired) {
  for (std::size_t i = 0; i < ours.size(); ++i) {
    for (std::size_t j = 0; j < lastRead.size(); ++j) {
      if (!read_paired[j] && SameResult(ours[i], lastRead[j])) {
        ours_paired[i] = read_paired[j] = true;
        break;
      }
    }
  }
}

std::size_t Count(const RecordTable& table, const RecordEntry& entry) {
  std::size_t count = 0;
  for (const RecordEntry& other : table)
    count += SameResult(other, entry) ? 1 : 0;
  return count;
}

bool Replace(RecordTable& table, Marks& replaced, const RecordEntry& stored,
             const RecordEntry& result) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (!replaced[i] && SameResult(table[i], stored)) {
      table[i] = result;
      replaced[i] = true;
      return true;
    }
  }
  return false;
}

void Enter(RecordTable& table, Marks& replaced, const RecordEntry& result) {
  const auto place = PlaceFor(table, result.score);
  if (!place) return;
  for (std::size_t j = table.size() - 1; j > *place; --j) {
    table[j] = table[j - 1];
    replaced[j] = replaced[j - 1];
  }
  table[*place] = result;
  replaced[*place] = true;
}

}  // namespace

RecordTable MergeResults(const RecordTable& fresh, const RecordTable& lastRead,
                         const RecordTable& ours,
                         const std::optional<RecordEntry>& storedAsOffered) {
  // Nobody else wrote: this run's table as it is, also where a result above 65,535 went above
  // an entry of 65,535, which the stored scores alone would put it below.
  if (fresh == lastRead) return ours;
  Marks ours_paired{};
  Marks read_paired{};
  Pair(ours, lastRead, ours_paired, read_paired);

  RecordTable merged = fresh;
  Marks placed{};  // entries of `merged` that came from `ours`
  std::optional<RecordEntry> offered = storedAsOffered;
  for (std::size_t i = 0; i < ours.size(); ++i) {
    if (ours_paired[i]) continue;
    const RecordEntry& result = ours[i];
    if (offered && offered->score == result.score) {
      const RecordEntry stored = *offered;
      offered.reset();
      if (Replace(merged, placed, stored, result)) continue;
    }
    // Copies beyond lastRead's, less those earlier results of ours already took.
    std::size_t taken = 0;
    for (std::size_t k = 0; k < i; ++k)
      taken += !ours_paired[k] && SameResult(ours[k], result) ? 1 : 0;
    if (Count(fresh, result) > Count(lastRead, result) + taken) continue;
    Enter(merged, placed, result);
  }
  return merged;
}

}  // namespace rolvi::records
