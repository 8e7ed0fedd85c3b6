// Short ways to write record entries and tables in tests, with the name field's bytes spelled
// out exactly (embedded zeros and stale tails included).
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "records/record_table.h"

namespace rolvi::testing {

// An entry whose name field holds exactly `field_bytes` (at most 14), zeros after them.
inline records::RecordEntry EntryOf(std::string_view field_bytes, std::uint16_t score) {
  records::RecordEntry entry{{}, score};
  std::copy_n(field_bytes.begin(), std::min(field_bytes.size(), entry.name.size()),
              entry.name.begin());
  return entry;
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
