#include "records/insert_record.h"

namespace rolvi::records {
namespace {

std::optional<std::size_t> PlaceFor(const RecordTable& table, std::int32_t score) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (static_cast<std::int32_t>(table[i].score) < score) return i;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::size_t> InsertRecord(RecordBook& book, std::int32_t score,
                                        RecordDialogs& dialogs) {
  const std::optional<std::size_t> place = PlaceFor(book.table, score);
  if (!place) return std::nullopt;
  const std::size_t i = *place;

  book.recordsDirty = true;
  for (std::size_t j = book.table.size() - 1; j > i; --j)
    book.table[j] = book.table[j - 1];

  book.pending = PendingResult{i, score};
  dialogs.RunNameDialog(book.lastName);
  // The dialog promises a valid name; StoreName still keeps the field terminated if not.
  StoreName(book.table[i].name, NameText(book.lastName));
  book.table[i].score = SaturatedScore(score);
  book.pending.reset();

  dialogs.ShowRecordsDialog(book.table);
  return i;
}

}  // namespace rolvi::records
