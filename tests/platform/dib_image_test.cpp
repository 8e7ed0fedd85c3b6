// Device-independent bitmaps: the layout every back end reads them by, and the software
// surface's decoding of their pixels. Arbitrary headers and pixel spans are fuzz/picture_fuzzer's.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/dib_layout.h"
#include "platform/software/soft_image.h"

namespace rolvi::platform {
namespace {

struct Dib {
  std::vector<std::uint8_t> header;
  std::vector<std::uint8_t> bits;
  DibView view() const { return {header, bits}; }
};

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A DIB of `indices` (rows top first) at `bits` per pixel, with `table` entries stored as blue,
// green, red, reserved, in the given row order.
Dib MakeDib(int bits, const std::vector<std::vector<int>>& indices, const std::vector<Rgb>& table,
            bool top_down, std::uint32_t colours_used = 0) {
  const int width = static_cast<int>(indices[0].size());
  const int height = static_cast<int>(indices.size());
  Dib dib;
  dib.header.assign(40, 0);
  Put32(dib.header, 0, 40);
  Put32(dib.header, 4, static_cast<std::uint32_t>(width));
  Put32(dib.header, 8, static_cast<std::uint32_t>(top_down ? -height : height));
  dib.header[12] = 1;
  dib.header[14] = static_cast<std::uint8_t>(bits);
  Put32(dib.header, 32, colours_used);
  for (const Rgb& colour : table) {
    dib.header.insert(dib.header.end(), {colour.blue, colour.green, colour.red, 0x83});
  }
  const std::size_t stride = (static_cast<std::size_t>(width * bits) + 31) / 32 * 4;
  dib.bits.assign(stride * static_cast<std::size_t>(height), 0xEE);  // padding is not zero
  for (int row = 0; row < height; ++row) {
    const std::size_t stored = static_cast<std::size_t>(top_down ? row : height - 1 - row);
    std::uint8_t* line = dib.bits.data() + stored * stride;
    for (std::size_t b = 0; b < (static_cast<std::size_t>(width * bits) + 7) / 8; ++b)
      line[b] = 0;
    for (int x = 0; x < width; ++x) {
      const int bit = x * bits;
      line[bit / 8] |= static_cast<std::uint8_t>(
          indices[static_cast<std::size_t>(row)][static_cast<std::size_t>(x)]
          << (8 - bits - bit % 8));
    }
  }
  return dib;
}

constexpr Rgb kA{10, 20, 30};
constexpr Rgb kB{200, 100, 50};
constexpr Rgb kC{0, 255, 1};

void ExpectPixels(const SoftImage& image, const std::vector<std::vector<int>>& indices,
                  const std::vector<Rgb>& table) {
  ASSERT_EQ(image.height(), static_cast<int>(indices.size()));
  ASSERT_EQ(image.width(), static_cast<int>(indices[0].size()));
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const int index = indices[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
      EXPECT_EQ(UnpackRgb(image.pixel(x, y)), table[static_cast<std::size_t>(index)])
          << x << "," << y;
    }
  }
}

TEST(DibDecodeTest, EightFourAndOneBitInBothRowOrdersWithPadding) {
  const std::vector<std::vector<int>> three = {{0, 1, 2, 1, 0}, {2, 2, 0, 1, 1}, {1, 0, 0, 0, 2}};
  const std::vector<Rgb> table = {kA, kB, kC};
  for (const int bits : {8, 4}) {
    for (const bool top_down : {false, true}) {
      SCOPED_TRACE(::testing::Message() << bits << " bits, top_down " << top_down);
      const Dib dib = MakeDib(bits, three, table, top_down, 3);
      const auto image = SoftImage::FromDib(dib.view());
      ASSERT_NE(image, nullptr);
      ExpectPixels(*image, three, table);
    }
  }
  // Nine 1-bit pixels a row: two bytes and two of padding.
  const std::vector<std::vector<int>> mask = {{1, 0, 1, 1, 0, 0, 0, 1, 1},
                                              {0, 1, 0, 0, 1, 1, 1, 0, 0}};
  for (const bool top_down : {false, true}) {
    const Dib dib = MakeDib(1, mask, {kWhite, kBlack}, top_down);
    const auto image = SoftImage::FromDib(dib.view());
    ASSERT_NE(image, nullptr);
    ExpectPixels(*image, mask, {kWhite, kBlack});
  }
}

TEST(DibLayoutTest, RowsArePaddedToFourBytesAndTheRowOrderFollowsTheHeightsSign) {
  const Dib dib =
      MakeDib(8, std::vector<std::vector<int>>(3, std::vector<int>(9)), {kA, kB}, true, 2);
  const std::optional<DibLayout> layout = ReadDibLayout(dib.view());
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->stride, 12u);
  EXPECT_EQ(layout->height, 3);
  EXPECT_TRUE(layout->top_down);
  EXPECT_EQ(layout->colours, 2u);
  EXPECT_EQ(layout->header_size, 40u);
}

TEST(DibDecodeTest, ColoursUsedZeroMeansFullTableAndIndicesPastTheTableAreBlack) {
  std::vector<Rgb> full(16, kB);
  full[15] = kC;
  const Dib dib = MakeDib(4, {{15, 0}}, full, false, 0);
  const auto image = SoftImage::FromDib(dib.view());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(UnpackRgb(image->pixel(0, 0)), kC);

  const Dib small = MakeDib(8, {{1, 7}}, {kA, kB}, true, 2);
  const auto clipped = SoftImage::FromDib(small.view());
  ASSERT_NE(clipped, nullptr);
  EXPECT_EQ(UnpackRgb(clipped->pixel(0, 0)), kB);
  EXPECT_EQ(UnpackRgb(clipped->pixel(1, 0)), kBlack);

  // A count above what the depth can index is capped to it; no count asks for the full table.
  const Dib capped = MakeDib(1, {{1}}, {kA, kB}, false, 300);
  ASSERT_NE(SoftImage::FromDib(capped.view()), nullptr);
  EXPECT_EQ(ReadDibLayout(capped.view())->colours, 2u);
  const Dib half_table = MakeDib(1, {{1}}, {kA}, false, 0);
  EXPECT_EQ(SoftImage::FromDib(half_table.view()), nullptr);
}

TEST(DibDecodeTest, MalformedDibsGiveNoImage) {
  const Dib good = MakeDib(8, {{0, 1}, {1, 0}}, {kA, kB}, false, 2);
  ASSERT_NE(SoftImage::FromDib(good.view()), nullptr);

  auto broken = [&](auto change) {
    Dib dib = good;
    change(dib);
    return SoftImage::FromDib(dib.view());
  };
  EXPECT_EQ(broken([](Dib& d) { d.header.resize(39); }), nullptr);
  EXPECT_EQ(broken([](Dib& d) { Put32(d.header, 0, 200); }), nullptr);  // header past the span
  EXPECT_EQ(broken([](Dib& d) { Put32(d.header, 0, 12); }), nullptr);
  EXPECT_EQ(broken([](Dib& d) { Put32(d.header, 4, 0); }), nullptr);
  EXPECT_EQ(broken([](Dib& d) { Put32(d.header, 4, 0x80000000u); }), nullptr);
  EXPECT_EQ(broken([](Dib& d) { Put32(d.header, 8, 0); }), nullptr);
  EXPECT_EQ(broken([](Dib& d) { Put32(d.header, 8, 0x80000000u); }), nullptr);
  EXPECT_EQ(broken([](Dib& d) { d.header[12] = 2; }), nullptr);   // planes
  EXPECT_EQ(broken([](Dib& d) { d.header[14] = 24; }), nullptr);  // depth
  EXPECT_EQ(broken([](Dib& d) { d.header[14] = 2; }), nullptr);
  EXPECT_EQ(broken([](Dib& d) { d.header[16] = 1; }), nullptr);         // RLE8
  EXPECT_EQ(broken([](Dib& d) { d.header.resize(40 + 7); }), nullptr);  // table cut short
  EXPECT_EQ(broken([](Dib& d) { d.bits.pop_back(); }), nullptr);
  EXPECT_EQ(broken([](Dib& d) { Put32(d.header, 8, 0x7FFFFFFF); }), nullptr);
  EXPECT_EQ(broken([](Dib& d) { d.bits.clear(); }), nullptr);
}

// The same DIB as a BMP file (a 14-byte file header naming where the rows start) and as a
// packed DIB (a bitmap resource: header, colour table and rows in one block) splits into the
// header with its table and the rows, which decode as the DIB did.
TEST(DibSplitTest, BitmapFilesAndPackedDibsSplitAfterTheColourTable) {
  const Dib dib = MakeDib(4, {{0, 1, 2}, {2, 1, 0}}, {kA, kB, kC}, false, 3);
  std::vector<std::uint8_t> packed = dib.header;
  packed.insert(packed.end(), dib.bits.begin(), dib.bits.end());
  std::vector<std::uint8_t> file(14, 0);
  file[0] = 'B';
  file[1] = 'M';
  Put32(file, 10, static_cast<std::uint32_t>(14 + dib.header.size()));
  file.insert(file.end(), packed.begin(), packed.end());

  for (const DibView& split : {DibFromPackedDib(packed), DibFromBitmapFile(file)}) {
    EXPECT_EQ(split.header.size(), dib.header.size());
    EXPECT_EQ(split.bits.size(), dib.bits.size());
    const auto image = SoftImage::FromDib(split);
    ASSERT_NE(image, nullptr);
    ExpectPixels(*image, {{0, 1, 2}, {2, 1, 0}}, {kA, kB, kC});
  }

  // Too short, a pixel offset outside the file, a depth without a colour table, a table past
  // the end: nothing.
  EXPECT_TRUE(DibFromBitmapFile(std::span(file).first(13)).header.empty());
  std::vector<std::uint8_t> far = file;
  Put32(far, 10, static_cast<std::uint32_t>(far.size()));
  EXPECT_TRUE(DibFromBitmapFile(far).header.empty());
  EXPECT_TRUE(DibFromPackedDib(std::span(packed).first(39)).header.empty());
  std::vector<std::uint8_t> deep = packed;
  deep[14] = 24;
  EXPECT_TRUE(DibFromPackedDib(deep).header.empty());
  std::vector<std::uint8_t> wide_table = packed;
  Put32(wide_table, 32, 0);  // the full sixteen entries reach past the block
  wide_table.resize(40 + 16 * 4);
  EXPECT_TRUE(DibFromPackedDib(wide_table).header.empty());
}

}  // namespace
}  // namespace rolvi::platform
