#include "platform/dib_layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace rolvi::platform {
namespace {

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    out[at + static_cast<std::size_t>(i)] = (value >> (8 * i)) & 0xFF;
}

// An info header of `width` x `height` at `bits` per pixel with `table` colour entries.
std::vector<std::uint8_t> Header(int width, int height, int bits, std::uint32_t colours_used,
                                 std::size_t table) {
  std::vector<std::uint8_t> header(40 + 4 * table);
  Put32(header, 0, 40);
  Put32(header, 4, static_cast<std::uint32_t>(width));
  Put32(header, 8, static_cast<std::uint32_t>(height));
  header[12] = 1;
  header[14] = static_cast<std::uint8_t>(bits);
  Put32(header, 32, colours_used);
  return header;
}

TEST(DibLayout, RowsArePaddedToFourBytesAndTheRowOrderFollowsTheHeightsSign) {
  const std::vector<std::uint8_t> bits(3 * 12);
  const auto header = Header(9, -3, 8, 2, 2);  // 9 bytes of pixels, 12 with padding
  const std::optional<DibLayout> layout = ReadDibLayout({header, bits});
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->stride, 12u);
  EXPECT_EQ(layout->height, 3);
  EXPECT_TRUE(layout->top_down);
  EXPECT_EQ(layout->colours, 2u);

  const auto four_bit = Header(67, 50, 4, 6, 6);  // the about picture: 34 bytes -> 36
  const std::vector<std::uint8_t> picture(36 * 50);
  ASSERT_TRUE(ReadDibLayout({four_bit, picture}));
  EXPECT_EQ(ReadDibLayout({four_bit, picture})->stride, 36u);
  EXPECT_FALSE(ReadDibLayout({four_bit, {picture.data(), picture.size() - 1}}));
}

TEST(DibLayout, TheColourTableNeverReachesPastTheHeaderSpan) {
  const std::vector<std::uint8_t> bits(4);
  // No colours-used count: a 1-bit picture needs both entries.
  EXPECT_TRUE(ReadDibLayout({Header(1, 1, 1, 0, 2), bits}));
  EXPECT_FALSE(ReadDibLayout({Header(1, 1, 1, 0, 1), bits}));
  // A count above what the depth can index is capped to it.
  const auto capped = Header(1, 1, 1, 300, 2);
  ASSERT_TRUE(ReadDibLayout({capped, bits}));
  EXPECT_EQ(ReadDibLayout({capped, bits})->colours, 2u);
}

TEST(DibLayout, RefusesWhatNoBackEndCanDraw) {
  const std::vector<std::uint8_t> bits(64);
  EXPECT_FALSE(ReadDibLayout({Header(0, 1, 8, 1, 1), bits}));   // no width
  EXPECT_FALSE(ReadDibLayout({Header(1, 0, 8, 1, 1), bits}));   // no height
  EXPECT_FALSE(ReadDibLayout({Header(1, 1, 24, 0, 0), bits}));  // true colour
  EXPECT_FALSE(ReadDibLayout({Header(1, INT32_MIN, 8, 1, 1), bits}));
  auto compressed = Header(1, 1, 8, 1, 1);
  compressed[16] = 1;  // RLE8
  EXPECT_FALSE(ReadDibLayout({compressed, bits}));
  auto oversized = Header(1, 1, 8, 1, 1);
  Put32(oversized, 0, 200);  // the info header claims more bytes than there are
  EXPECT_FALSE(ReadDibLayout({oversized, bits}));
  const std::vector<std::uint8_t> short_header(39);
  EXPECT_FALSE(ReadDibLayout({short_header, bits}));
}

}  // namespace
}  // namespace rolvi::platform
