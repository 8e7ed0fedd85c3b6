// Decoding tables for the canonical Huffman codes of a Deflate block: a 256-entry direct
// table for codes of up to 8 bits and a fixed pool of two-way nodes for the longer ones.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace rolvi::gfx {

inline constexpr int kMaxCodeLength = 15;
inline constexpr std::size_t kDirectBits = 8;
inline constexpr std::size_t kDirectSize = std::size_t{1} << kDirectBits;
inline constexpr std::size_t kMaxSymbols = 288;

// Direct entries and node entries hold a symbol (0 or more) or a link to node n stored as
// ~(2n), i.e. -(2n + 1); the node's entries for a next bit of 0 and 1 sit at 2n and 2n + 1 of
// the pool. A full code reaches every entry. In a code with a single symbol or none, the
// entries no code reaches hold a symbol without a code, so that decoding them fails.
template <std::size_t kNodeCount>
struct HuffmanTable {
  std::array<std::int16_t, kDirectSize> direct{};
  std::array<std::int16_t, 2 * kNodeCount> nodes{};
};

// Scratch space for building a table: codes per length, next code per length and the code of
// every symbol. The next codes are kept in 32 bits so that the total for length 16 can tell a
// full code space (exactly 2^16) from an oversubscribed one.
struct TableWorkspace {
  std::array<std::uint16_t, kMaxCodeLength + 1> count{};
  std::array<std::uint32_t, kMaxCodeLength + 2> next_code{};
  std::array<std::uint16_t, kMaxSymbols> code{};
};

// Fills `direct` and `nodes` from the code lengths (0..15, at most 288 of them). Returns false
// when the lengths neither fill the code space exactly nor give at most one symbol a code.
// `uncoded` is a symbol whose code length is 0 in the decoder's length array; it fills the
// entries that an incomplete code leaves unreached.
bool BuildHuffmanTable(std::span<const std::uint8_t> lengths,
                       std::span<std::int16_t, kDirectSize> direct, std::span<std::int16_t> nodes,
                       std::int16_t uncoded, TableWorkspace& workspace);

template <std::size_t kNodeCount>
bool BuildHuffmanTable(std::span<const std::uint8_t> lengths, HuffmanTable<kNodeCount>& table,
                       std::int16_t uncoded, TableWorkspace& workspace) {
  return BuildHuffmanTable(lengths, std::span<std::int16_t, kDirectSize>(table.direct),
                           std::span<std::int16_t>(table.nodes), uncoded, workspace);
}

}  // namespace rolvi::gfx
