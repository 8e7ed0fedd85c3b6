#include "gfx/huffman_table.h"

#include <gtest/gtest.h>

#include <vector>

namespace rolvi::gfx {
namespace {

std::vector<std::uint8_t> FixedLiteralLengths() {
  std::vector<std::uint8_t> lengths(288, 8);
  for (int s = 144; s < 256; ++s)
    lengths[s] = 9;
  for (int s = 256; s < 280; ++s)
    lengths[s] = 7;
  return lengths;
}

// Follows the table along `bits` (first bit first) the way the decoder does.
int Walk(const HuffmanTable<288>& table, unsigned bits) {
  int entry = table.direct[bits & 0xFFu];
  for (unsigned bit = 8; entry < 0; ++bit) {
    entry = table.nodes[static_cast<std::size_t>(~entry) + ((bits >> bit) & 1u)];
  }
  return entry;
}

unsigned Reverse(unsigned code, unsigned length) {
  unsigned reversed = 0;
  for (unsigned i = 0; i < length; ++i)
    reversed |= ((code >> i) & 1u) << (length - 1 - i);
  return reversed;
}

TEST(HuffmanTableTest, FixedLiteralCodesLandInTheDirectTableOrInNodes) {
  HuffmanTable<288> table;
  TableWorkspace workspace;
  ASSERT_TRUE(BuildHuffmanTable(FixedLiteralLengths(), table, 300, workspace));
  // 'A' = 0x30 + 65, 8 bits; 256 = 0000000, 7 bits, fills two direct entries.
  EXPECT_EQ(table.direct[Reverse(0x30 + 65, 8)], 65);
  EXPECT_EQ(table.direct[0x00], 256);
  EXPECT_EQ(table.direct[0x80], 256);
  // 9-bit codes: one node per pair, linked as -(2n + 1) in allocation order (255 first).
  int links = 0;
  for (const std::int16_t entry : table.direct)
    links += entry < 0 ? 1 : 0;
  EXPECT_EQ(links, 56);
  EXPECT_EQ(table.direct[Reverse(0x1FF, 9) & 0xFF], -1);
  for (unsigned symbol = 144; symbol < 256; ++symbol) {
    EXPECT_EQ(Walk(table, Reverse(0x190 + symbol - 144, 9)), static_cast<int>(symbol));
  }
}

TEST(HuffmanTableTest, FifteenBitCodesTakeSevenTreeSteps) {
  // Lengths 1, 2, ..., 14, 15, 15: a full code as deep as Deflate allows.
  std::vector<std::uint8_t> lengths;
  for (std::uint8_t length = 1; length <= 15; ++length)
    lengths.push_back(length);
  lengths.push_back(15);
  HuffmanTable<288> table;
  TableWorkspace workspace;
  ASSERT_TRUE(BuildHuffmanTable(lengths, table, 287, workspace));
  // Symbol k has the code of k ones and a zero; the last two are fifteen ones and 14 ones, 0.
  for (unsigned symbol = 0; symbol < 15; ++symbol) {
    const unsigned ones = (1u << symbol) - 1;
    EXPECT_EQ(Walk(table, ones), static_cast<int>(symbol)) << symbol;
  }
  EXPECT_EQ(Walk(table, 0x7FFF), 15);
}

TEST(HuffmanTableTest, CodesMustFillTheCodeSpaceUnlessThereIsAtMostOne) {
  HuffmanTable<32> table;
  TableWorkspace workspace;
  EXPECT_TRUE(BuildHuffmanTable(std::vector<std::uint8_t>{1, 1}, table, 31, workspace));
  EXPECT_FALSE(BuildHuffmanTable(std::vector<std::uint8_t>{1, 1, 1}, table, 31, workspace));
  EXPECT_FALSE(BuildHuffmanTable(std::vector<std::uint8_t>{1, 2}, table, 31, workspace));
  // Kraft sum of exactly 2 (four 1-bit codes) is not mistaken for a full code.
  EXPECT_FALSE(BuildHuffmanTable(std::vector<std::uint8_t>{1, 1, 1, 1}, table, 31, workspace));
  EXPECT_TRUE(BuildHuffmanTable(std::vector<std::uint8_t>{0, 0, 0}, table, 31, workspace));
}

TEST(HuffmanTableTest, PatternsOutsideASingleCodeReadAsTheUncodedSymbol) {
  HuffmanTable<32> table;
  TableWorkspace workspace;
  ASSERT_TRUE(BuildHuffmanTable(std::vector<std::uint8_t>{0, 0, 1}, table, 31, workspace));
  for (unsigned bits = 0; bits < 256; ++bits) {
    EXPECT_EQ(table.direct[bits], (bits & 1u) == 0 ? 2 : 31) << bits;
  }
  // A single long code: the branches it does not take read as the uncoded symbol too.
  HuffmanTable<288> deep;
  std::vector<std::uint8_t> lengths(10, 0);
  lengths[4] = 10;
  ASSERT_TRUE(BuildHuffmanTable(lengths, deep, 287, workspace));
  EXPECT_EQ(Walk(deep, 0), 4);
  EXPECT_EQ(Walk(deep, 1u << 9), 287);
  EXPECT_EQ(deep.direct[1], 287);
}

}  // namespace
}  // namespace rolvi::gfx
