#include "gfx/deflate_writer.h"

#include <array>
#include <stdexcept>

namespace rolvi::testing {
namespace {

constexpr std::array<unsigned, 19> kCodeLengthOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                       11, 4,  12, 3, 13, 2, 14, 1, 15};

std::array<std::uint8_t, 19> HeaderCodeLengths() {
  std::array<std::uint8_t, 19> lengths{};
  for (unsigned symbol = 0; symbol < 19; ++symbol)
    lengths[symbol] = symbol <= 12 ? 4 : 5;
  return lengths;
}

// Code-length symbols 16, 17 and 18 carry 2, 3 and 7 extra bits.
unsigned ExtraBitsOf(unsigned length_symbol) {
  return length_symbol == 16 ? 2 : length_symbol == 17 ? 3 : length_symbol == 18 ? 7 : 0;
}

void PlainSymbols(std::span<const std::uint8_t> lengths, std::vector<LengthSymbol>& out) {
  for (std::size_t i = 0; i < lengths.size();) {
    std::size_t run = 0;
    while (i + run < lengths.size() && lengths[i + run] == 0 && run < 138)
      ++run;
    if (run >= 11) {
      out.push_back({18, static_cast<unsigned>(run - 11)});
    } else if (run >= 3) {
      out.push_back({17, static_cast<unsigned>(run - 3)});
    } else {
      out.push_back({lengths[i], 0});
      run = 1;
    }
    i += run;
  }
}

}  // namespace

void DeflateWriter::Bits(unsigned value, unsigned count) {
  for (unsigned i = 0; i < count; ++i) {
    if (bit_count_ % 8 == 0) bytes_.push_back(0);
    if ((value >> i) & 1u)
      bytes_.back() = static_cast<std::uint8_t>(bytes_.back() | (1u << (bit_count_ % 8)));
    ++bit_count_;
  }
}

void DeflateWriter::Code(unsigned code, unsigned length) {
  for (unsigned i = length; i-- > 0;)
    Bits((code >> i) & 1u, 1);
}

void DeflateWriter::AlignToByte(unsigned fill) {
  while (bit_count_ % 8 != 0)
    Bits(fill, 1);
}

void DeflateWriter::Bytes(std::span<const std::uint8_t> bytes) {
  if (bit_count_ % 8 != 0) throw std::logic_error("Bytes() needs a byte boundary");
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  bit_count_ += 8 * bytes.size();
}

void DeflateWriter::BlockHeader(bool last, unsigned type) {
  Bits(last ? 1 : 0, 1);
  Bits(type, 2);
}

void DeflateWriter::StoredBlock(bool last, std::span<const std::uint8_t> bytes) {
  const auto len = static_cast<unsigned>(bytes.size());
  StoredBlockWithNlen(last, len, len ^ 0xFFFFu);
  Bytes(bytes);
}

void DeflateWriter::StoredBlockWithNlen(bool last, unsigned len, unsigned nlen) {
  BlockHeader(last, 0);
  AlignToByte();
  Bits(len, 16);
  Bits(nlen, 16);
}

void DeflateWriter::FixedLiteral(unsigned symbol) {
  if (symbol < 144) {
    Code(0x30 + symbol, 8);
  } else if (symbol < 256) {
    Code(0x190 + symbol - 144, 9);
  } else if (symbol < 280) {
    Code(symbol - 256, 7);
  } else {
    Code(0xC0 + symbol - 280, 8);
  }
}

void DeflateWriter::DynamicHeader(unsigned literal_count, unsigned distance_count,
                                  std::span<const LengthSymbol> symbols) {
  Bits(literal_count - 257, 5);
  Bits(distance_count - 1, 5);
  Bits(19 - 4, 4);
  const auto header_lengths = HeaderCodeLengths();
  for (const unsigned symbol : kCodeLengthOrder)
    Bits(header_lengths[symbol], 3);
  const auto codes = CanonicalCodes(header_lengths);
  for (const LengthSymbol& entry : symbols) {
    Code(codes[entry.symbol], header_lengths[entry.symbol]);
    Bits(entry.extra, ExtraBitsOf(entry.symbol));
  }
}

void DeflateWriter::DynamicHeader(std::span<const std::uint8_t> literal_lengths,
                                  std::span<const std::uint8_t> distance_lengths) {
  std::vector<LengthSymbol> symbols;
  PlainSymbols(literal_lengths, symbols);
  PlainSymbols(distance_lengths, symbols);
  DynamicHeader(static_cast<unsigned>(literal_lengths.size()),
                static_cast<unsigned>(distance_lengths.size()), symbols);
}

std::vector<std::uint8_t> DeflateWriter::Finish() {
  return bytes_;
}

std::vector<unsigned> CanonicalCodes(std::span<const std::uint8_t> lengths) {
  std::array<unsigned, 17> count{};
  for (const std::uint8_t length : lengths)
    ++count[length];
  count[0] = 0;
  std::array<unsigned, 17> next{};
  for (unsigned k = 1; k <= 15; ++k)
    next[k + 1] = (next[k] + count[k]) * 2;
  std::vector<unsigned> codes(lengths.size(), 0);
  for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
    if (lengths[symbol] != 0) codes[symbol] = next[lengths[symbol]]++;
  }
  return codes;
}

}  // namespace rolvi::testing
