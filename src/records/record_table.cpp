#include "records/record_table.h"

#include <algorithm>

namespace rolvi::records {

RecordEntry DefaultRecordEntry(std::size_t index, const DefaultNames& names) {
  RecordEntry entry;
  if (index == 0) {
    StoreName(entry.name, names.king);
    entry.score = kKingScore;
  } else {
    StoreName(entry.name, names.vacant);
  }
  return entry;
}

RecordTable DefaultRecordTable(const DefaultNames& names) {
  RecordTable table;
  for (std::size_t i = 0; i < table.size(); ++i)
    table[i] = DefaultRecordEntry(i, names);
  return table;
}

void StoreName(NameField& field, std::string_view text) {
  text = text.substr(0, std::min(text.find('\0'), kMaxNameLength));
  std::copy(text.begin(), text.end(), field.begin());
  field[text.size()] = '\0';
}

std::uint16_t SaturatedScore(std::int32_t score) {
  return static_cast<std::uint16_t>(std::clamp<std::int32_t>(score, 0, kMaxRecordScore));
}

std::optional<std::size_t> PlaceFor(const RecordTable& table, std::int32_t score) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (static_cast<std::int32_t>(table[i].score) < score) return i;
  }
  return std::nullopt;
}

bool SameResult(const RecordEntry& a, const RecordEntry& b) {
  return a.score == b.score && NameText(a.name) == NameText(b.name);
}

}  // namespace rolvi::records
