#include "records/insert_record.h"

namespace rolvi::records {

std::optional<std::size_t> InsertRecord(RecordBook& book, std::int32_t score,
                                        RecordDialogs& dialogs) {
  const std::optional<std::size_t> place = PlaceFor(book.table, score);
  if (!place) return std::nullopt;

  book.recordsDirty = true;
  for (std::size_t j = book.table.size() - 1; j > *place; --j)
    book.table[j] = book.table[j - 1];

  book.pending = PendingResult{*place, score, std::nullopt};
  dialogs.RunNameDialog(book.lastName);
  // A save while the dialog was open may have merged other programs' results into the table
  // and moved this one's place.
  const std::size_t i = book.pending->index;
  // The dialog promises a valid name; StoreName still keeps the field terminated if not.
  StoreName(book.table[i].name, NameText(book.lastName));
  book.table[i].score = SaturatedScore(score);
  book.pending.reset();

  dialogs.ShowRecordsDialog(book.table);
  return i;
}

}  // namespace rolvi::records
