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

  // After a result of kOutputFull: goes on decoding the same stream (`input` of Run must
  // still hold it) into `output`, which starts with the bytes written so far, kept as they
  // were, and has room after them. Nothing is decoded twice, so a caller that grows its
  // buffer decodes the stream in one pass. After any other result it only repeats it.
  InflateResult Resume(std::span<std::uint8_t> output);

 private:
  // Where the decoding stands between two calls.
  enum class Step { kBlockHeader, kStoredData, kSymbols, kDone };

  InflateResult Continue();
  InflateStatus StartStoredBlock();
  InflateStatus CopyStoredData();
  InflateStatus FlushPending();
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
  Step step_ = Step::kDone;
  InflateStatus last_status_ = InflateStatus::kOk;
  // The rest of a stored block: its next input byte and how many bytes are left.
  std::size_t stored_position_ = 0;
  std::size_t stored_left_ = 0;
  // A decoded literal or match that found the output full: written first when resumed.
  int pending_literal_ = -1;
  unsigned pending_length_ = 0;
  unsigned pending_distance_ = 0;

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
