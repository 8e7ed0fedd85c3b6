// Short ways to write record entries and tables in tests, with the name field's bytes spelled
// out exactly (embedded zeros and stale tails included).
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "records/record_table.h"

namespace rolvi::testing {

// A name field holding exactly `bytes` (at most 14), zeros after them.
inline records::NameField FieldOf(std::string_view bytes) {
  records::NameField field{};
  std::copy_n(bytes.begin(), std::min(bytes.size(), field.size()), field.begin());
  return field;
}

inline records::RecordEntry EntryOf(std::string_view field_bytes, std::uint16_t score) {
  return records::RecordEntry{FieldOf(field_bytes), score};
}

// Entries named "P0".."P9" with the given scores, best first.
inline records::RecordTable TableWithScores(const std::array<std::uint16_t, 10>& scores) {
  records::RecordTable table;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const char name[] = {'P', static_cast<char>('0' + i)};
    table[i] = EntryOf(std::string_view(name, 2), scores[i]);
  }
  return table;
}

}  // namespace rolvi::testing
