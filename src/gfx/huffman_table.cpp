#include "gfx/huffman_table.h"

#include <algorithm>

namespace rolvi::gfx {
namespace {

std::uint16_t ReverseBits(std::uint32_t code, unsigned length) {
  std::uint32_t reversed = 0;
  for (unsigned i = 0; i < length; ++i) {
    reversed = (reversed << 1) | (code & 1u);
    code >>= 1;
  }
  return static_cast<std::uint16_t>(reversed);
}

enum class CodeSpace { kFull, kSparse, kInvalid };

// Gives every symbol with a code its canonical code, reversed so that the first bit of the
// code is bit 0. A code that does not fill the code space is valid only with at most one
// symbol.
CodeSpace AssignCodes(std::span<const std::uint8_t> lengths, TableWorkspace& ws) {
  ws.count.fill(0);
  int used = 0;
  for (const std::uint8_t length : lengths) {
    if (length > kMaxCodeLength) return CodeSpace::kInvalid;
    ++ws.count[length];
    if (length != 0) ++used;
  }
  ws.next_code[1] = 0;
  for (std::size_t k = 1; k <= kMaxCodeLength; ++k) {
    ws.next_code[k + 1] = (ws.next_code[k] + ws.count[k]) * 2;
  }
  const bool full = ws.next_code[kMaxCodeLength + 1] == (std::uint32_t{1} << 16);
  if (!full && used > 1) return CodeSpace::kInvalid;

  for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
    const unsigned length = lengths[symbol];
    if (length == 0) continue;
    ws.code[symbol] = ReverseBits(ws.next_code[length]++, length);
  }
  return full ? CodeSpace::kFull : CodeSpace::kSparse;
}

}  // namespace

bool BuildHuffmanTable(std::span<const std::uint8_t> lengths,
                       std::span<std::int16_t, kDirectSize> direct, std::span<std::int16_t> nodes,
                       std::int16_t uncoded, TableWorkspace& workspace) {
  if (lengths.size() > kMaxSymbols) return false;
  const CodeSpace space = AssignCodes(lengths, workspace);
  if (space == CodeSpace::kInvalid) return false;

  // A full code overwrites every entry; a sparse one leaves the rest reading as `uncoded`.
  const std::int16_t empty = space == CodeSpace::kFull ? std::int16_t{0} : uncoded;
  std::fill(direct.begin(), direct.end(), empty);
  std::size_t nodes_used = 0;
  // Last symbol first: symbol 0 and short codes never sit where a longer code needs a link.
  for (std::size_t index = lengths.size(); index-- > 0;) {
    const unsigned length = lengths[index];
    if (length == 0) continue;
    const auto symbol = static_cast<std::int16_t>(index);
    const unsigned code = workspace.code[index];
    if (length <= kDirectBits) {
      for (unsigned entry = code; entry < kDirectSize; entry += 1u << length) {
        direct[entry] = symbol;
      }
      continue;
    }
    std::int16_t* entry = &direct[code & (kDirectSize - 1)];
    for (unsigned bit = kDirectBits; bit < length; ++bit) {
      if (*entry == empty) {
        if (2 * nodes_used + 1 >= nodes.size()) return false;
        nodes[2 * nodes_used] = empty;
        nodes[2 * nodes_used + 1] = empty;
        *entry = static_cast<std::int16_t>(-static_cast<int>(2 * nodes_used + 1));
        ++nodes_used;
      } else if (*entry >= 0) {
        return false;  // a shorter code already ends here: not a prefix code
      }
      const auto node = static_cast<std::size_t>(~*entry);
      entry = &nodes[node + ((code >> bit) & 1u)];
    }
    *entry = symbol;
  }
  return true;
}

}  // namespace rolvi::gfx
