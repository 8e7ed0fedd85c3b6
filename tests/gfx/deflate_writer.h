// Hand-assembles Deflate streams bit by bit for decoder tests: raw bit fields, Huffman codes
// (first bit first), the fixed codes, and dynamic block headers from code-length symbols.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace rolvi::testing {

// A code-length symbol of a dynamic header with its extra-bit value (for 16, 17 and 18).
struct LengthSymbol {
  unsigned symbol = 0;
  unsigned extra = 0;
};

class DeflateWriter {
 public:
  // A field of `count` bits, lowest bit first.
  void Bits(unsigned value, unsigned count);
  // A Huffman code of `length` bits, highest bit first.
  void Code(unsigned code, unsigned length);
  // Pads the current byte with `fill` bits (0 or 1).
  void AlignToByte(unsigned fill = 0);
  // Whole bytes; the writer must be byte-aligned.
  void Bytes(std::span<const std::uint8_t> bytes);

  void BlockHeader(bool last, unsigned type);
  // A stored block: header, alignment, LEN, NLEN and the bytes; `nlen` overrides NLEN.
  void StoredBlock(bool last, std::span<const std::uint8_t> bytes);
  void StoredBlockWithNlen(bool last, unsigned len, unsigned nlen);

  void FixedLiteral(unsigned symbol);
  void FixedDistance(unsigned symbol) { Code(symbol, 5); }

  // The fields of a dynamic header after its block header, with a code-length code that gives
  // symbols 0..12 four bits and 13..18 five.
  void DynamicHeader(unsigned literal_count, unsigned distance_count,
                     std::span<const LengthSymbol> symbols);
  // A dynamic header carrying the given lengths, zero runs as 17/18, everything else plain.
  void DynamicHeader(std::span<const std::uint8_t> literal_lengths,
                     std::span<const std::uint8_t> distance_lengths);

  std::size_t bit_count() const { return bit_count_; }
  std::vector<std::uint8_t> Finish();

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t bit_count_ = 0;
};

// Canonical Huffman codes (highest bit first) for a set of code lengths.
std::vector<unsigned> CanonicalCodes(std::span<const std::uint8_t> lengths);

}  // namespace rolvi::testing
