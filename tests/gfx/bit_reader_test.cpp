#include "gfx/bit_reader.h"

#include <gtest/gtest.h>

#include <array>

namespace rolvi::gfx {
namespace {

TEST(BitReaderTest, FieldsComeLowestBitFirstAcrossByteBoundaries) {
  // Bits, first to last: 1 | 01 (=2) | 10110 (=13)... laid out from bit 0 of byte 0 upwards.
  const std::array<std::uint8_t, 4> bytes = {0b10110'01'1, 0b1010'1100, 0xFF, 0x01};
  BitReader reader(bytes);
  reader.Start(0);
  EXPECT_EQ(reader.TakeBit(), 1u);
  EXPECT_EQ(reader.Read(2), 1u);
  EXPECT_EQ(reader.Read(5), 0b10110u);
  EXPECT_EQ(reader.Read(4), 0b1100u);
  EXPECT_EQ(reader.Read(13), 0b1'1111'1111'1010u);  // high nibble of byte 1, byte 2, bit 0 of 3
  EXPECT_FALSE(reader.PastEnd());
}

TEST(BitReaderTest, LowByteAlwaysHoldsTheNextEightBits) {
  const std::array<std::uint8_t, 3> bytes = {0xA5, 0x3C, 0x0F};
  BitReader reader(bytes);
  reader.Start(0);
  const unsigned stream = 0x0F3CA5;
  for (unsigned consumed = 0; consumed <= 16; ++consumed) {
    EXPECT_EQ(reader.Peek8(), (stream >> consumed) & 0xFFu) << consumed;
    for (unsigned i = 0; i < 8; ++i)
      EXPECT_EQ(reader.PeekBit(i), (stream >> (consumed + i)) & 1u);
    reader.TakeBit();
  }
}

TEST(BitReaderTest, DropOfEveryWidthFromEveryPhase) {
  const std::array<std::uint8_t, 6> bytes = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
  const std::uint64_t stream = 0xBC9A78563412;
  for (unsigned phase = 0; phase < 8; ++phase) {
    for (unsigned width = 0; width <= 8; ++width) {
      BitReader reader(bytes);
      reader.Start(0);
      reader.Drop(phase);
      reader.Drop(width);
      EXPECT_EQ(reader.Peek8(), (stream >> (phase + width)) & 0xFFu) << phase << " " << width;
    }
  }
}

TEST(BitReaderTest, AlignmentDropsOnlyTheRestOfAPartlyReadByte) {
  const std::array<std::uint8_t, 4> bytes = {0xFF, 0x34, 0x12, 0x00};
  BitReader reader(bytes);
  reader.Start(0);
  reader.AlignToByte();
  EXPECT_EQ(reader.Peek16(), 0x34FFu);
  reader.Drop(3);
  reader.AlignToByte();
  EXPECT_EQ(reader.Peek16(), 0x1234u);
  EXPECT_EQ(reader.position(), 3u);
}

TEST(BitReaderTest, LookAheadBeyondTheEndIsZeroAndOnlyConsumingItCounts) {
  const std::array<std::uint8_t, 1> bytes = {0xFF};
  BitReader reader(bytes);
  reader.Start(0);
  EXPECT_EQ(reader.Peek16(), 0x00FFu);
  reader.Drop(8);
  EXPECT_FALSE(reader.PastEnd());
  EXPECT_EQ(reader.Peek8(), 0u);
  reader.Drop(1);
  EXPECT_TRUE(reader.PastEnd());
  EXPECT_FALSE(reader.FarPastEnd());
  reader.Drop(8);
  reader.Drop(8);
  EXPECT_TRUE(reader.FarPastEnd());
}

}  // namespace
}  // namespace rolvi::gfx
