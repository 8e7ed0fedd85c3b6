// The Inflater: decodes a raw Deflate stream (no zlib or gzip wrapper) into a caller's buffer,
// never reading outside the input or writing outside the output it is given.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "gfx/bit_reader.h"
#include "gfx/huffman_table.h"

namespace rolvi::gfx {

enum class InflateStatus {
  kOk,
  kBadStoredLength,      // a stored block's NLEN is not the complement of its LEN
  kBadBlockType,         // block type 3
  kBadCodeLengths,       // code lengths that are neither a full code nor a single code
  kRepeatPastEnd,        // a code-length repeat runs past HLIT + HDIST entries
  kRepeatWithoutLength,  // code-length symbol 16 with no length before it
  kBadSymbol,            // a bit pattern that no code of the block covers
  kBadLengthSymbol,      // literal/length symbol 286 or 287
  kBadDistanceSymbol,    // distance symbol 30 or 31
  kDistanceTooFar,       // a distance that reaches before the start of the output
  kInputExhausted,       // the stream ends before its final block does
  kOutputFull,           // the decoded bytes do not fit the output
};

struct InflateResult {
  InflateStatus status = InflateStatus::kOk;
  std::size_t written = 0;  // bytes written to the output, also those before a failure

  friend bool operator==(const InflateResult&, const InflateResult&) = default;
};

// A short description of a status, for messages.
std::string_view InflateStatusText(InflateStatus status);

// The decoder's whole state. One object decodes one stream at a time; it can be reused.
class Inflater {
 public:
  InflateResult Run(std::span<const std::uint8_t> input, std::span<std::uint8_t> output);

 private:
  InflateStatus StoredBlock();
  InflateStatus BuildFixedTables();
  InflateStatus ReadDynamicTables();
  InflateStatus BuildBlockTables(unsigned literal_count, unsigned distance_count);
  InflateStatus DecodeSymbols();

  std::span<const std::uint8_t> input_;
  BitReader reader_;
  std::uint8_t last_block_ = 0;
  std::uint8_t* output_start_ = nullptr;
  std::uint8_t* output_position_ = nullptr;
  std::uint8_t* output_end_ = nullptr;

  // During a dynamic header the literal/length and distance lengths arrive here in one run.
  std::array<std::uint8_t, 320> literal_lengths_{};
  std::array<std::uint8_t, 32> distance_lengths_{};
  std::array<std::uint8_t, 19> code_length_lengths_{};
  TableWorkspace workspace_;
  HuffmanTable<288> literal_table_;
  HuffmanTable<32> distance_table_;
  HuffmanTable<0> code_length_table_;
};

// Decodes `input` into `output` with a decoder of its own (a few kilobytes of stack).
InflateResult Inflate(std::span<const std::uint8_t> input, std::span<std::uint8_t> output);

}  // namespace rolvi::gfx
