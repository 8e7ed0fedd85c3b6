// The table of the ten best results: RecordEntry (a 14-byte name field and a 16-bit score),
// RecordTable, the default table, and the small byte-string helpers that keep every name
// zero-terminated inside its field.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace rolvi::records {

inline constexpr std::size_t kNameFieldSize = 14;
// The longest name a field holds; the last byte is always room for the terminator.
inline constexpr std::size_t kMaxNameLength = kNameFieldSize - 1;
inline constexpr std::size_t kRecordCount = 10;
inline constexpr std::uint16_t kMaxRecordScore = 65535;

using NameField = std::array<char, kNameFieldSize>;

// Bytes after the name's terminator are kept as they are: the record file stores them.
struct RecordEntry {
  NameField name{};
  std::uint16_t score = 0;

  friend bool operator==(const RecordEntry&, const RecordEntry&) = default;
};

// Best first. Insertion keeps the scores non-increasing; loading keeps the file's order.
using RecordTable = std::array<RecordEntry, kRecordCount>;

inline constexpr std::uint16_t kKingScore = 100;

// The names the default table gives its entries, GBK texts of the program's string table.
struct DefaultNames {
  std::string_view king;    // entry 0's
  std::string_view vacant;  // every other entry's
};

// Entry 0 is the King with 100, entries 1 to 9 are vacant with 0; bytes after each name are 0.
RecordTable DefaultRecordTable(const DefaultNames& names);
RecordEntry DefaultRecordEntry(std::size_t index, const DefaultNames& names);

// Bytes before the first zero, looking at no more than the buffer's size.
template <std::size_t N>
constexpr std::size_t NameLength(const std::array<char, N>& buffer) {
  std::size_t length = 0;
  while (length < N && buffer[length] != '\0')
    ++length;
  return length;
}

template <std::size_t N>
constexpr std::string_view NameText(const std::array<char, N>& buffer) {
  return std::string_view(buffer.data(), NameLength(buffer));
}

// Copies `text` and its terminator to the start of `field`, cut to kMaxNameLength bytes and
// to its first zero byte. The field's bytes after the terminator keep their content.
void StoreName(NameField& field, std::string_view text);

// A score as the table stores it: below 0 is 0, above 65,535 is 65,535.
std::uint16_t SaturatedScore(std::int32_t score);

// Where `score` enters the table: above the first entry whose score is strictly below it, so
// that it goes below equal scores; nothing when it does not qualify.
std::optional<std::size_t> PlaceFor(const RecordTable& table, std::int32_t score);

// The same result: the same name (the bytes before its terminator) and the same score.
bool SameResult(const RecordEntry& a, const RecordEntry& b);

}  // namespace rolvi::records
