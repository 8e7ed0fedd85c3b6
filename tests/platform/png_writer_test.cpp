#include "platform/software/png_writer.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/software/soft_image.h"
#include "support/temp_directory.h"

namespace rolvi::platform {
namespace {

std::uint32_t Be32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
         std::uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
}

struct Chunk {
  std::string type;
  std::vector<std::uint8_t> data;
};

// Splits a PNG into its chunks, checking each CRC with zlib's.
std::vector<Chunk> ReadChunks(const std::vector<std::uint8_t>& png) {
  std::vector<Chunk> chunks;
  const std::vector<std::uint8_t> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
  std::size_t at = 8;
  while (at + 12 <= png.size()) {
    const std::uint32_t length = Be32(png, at);
    const auto start = png.begin() + static_cast<std::ptrdiff_t>(at);
    chunks.push_back({std::string(start + 4, start + 8),
                      std::vector<std::uint8_t>(start + 8, start + 8 + length)});
    EXPECT_EQ(crc32(0, png.data() + at + 4, length + 4), Be32(png, at + 8 + length))
        << chunks.back().type;
    at += 12 + length;
  }
  EXPECT_EQ(at, png.size());
  return chunks;
}

TEST(PngWriterTest, RegionRoundTripsThroughStoredBlocks) {
  // 200 x 120 pixels: 72,120 bytes of rows, more than one stored block.
  SoftSurface surface(210, 130);
  for (int y = 0; y < 130; ++y) {
    for (int x = 0; x < 210; ++x) {
      surface.pixels()[static_cast<std::size_t>(y * 210 + x)] =
          static_cast<std::uint32_t>(x * 0x010203 + y * 0x030100);
    }
  }
  const std::vector<std::uint8_t> png = EncodePng(surface, {5, 7, 205, 127});
  const std::vector<Chunk> chunks = ReadChunks(png);
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(chunks[0].type, "IHDR");  // 200 by 120, 8-bit truecolour, deflate, no interlace
  EXPECT_EQ(chunks[0].data, (std::vector<std::uint8_t>{0, 0, 0, 200, 0, 0, 0, 120, 8, 2, 0, 0, 0}));
  EXPECT_EQ(chunks[1].type, "IDAT");
  EXPECT_EQ(chunks[2].type, "IEND");

  // zlib reads the image data back.
  std::vector<std::uint8_t> raw(120 * (1 + 600) + 1);
  uLongf raw_size = raw.size();
  ASSERT_EQ(uncompress(raw.data(), &raw_size, chunks[1].data.data(), chunks[1].data.size()), Z_OK);
  raw.resize(raw_size);
  ASSERT_EQ(raw.size(), 120u * (1 + 600));
  for (int y = 0; y < 120; ++y) {
    const std::size_t row = static_cast<std::size_t>(y) * 601;
    ASSERT_EQ(raw[row], 0);
    for (int x = 0; x < 200; ++x) {
      const Rgb expected = *surface.GetPixel(x + 5, y + 7);
      const std::size_t at = row + 1 + 3 * static_cast<std::size_t>(x);
      ASSERT_EQ((Rgb{raw[at], raw[at + 1], raw[at + 2]}), expected) << x << "," << y;
    }
  }
}

TEST(PngWriterTest, EmptyRegionsAndShortSpansGiveNothing) {
  const SoftSurface surface(4, 4);
  EXPECT_TRUE(EncodePng(surface, {4, 0, 8, 4}).empty());
  EXPECT_TRUE(EncodePng(surface, {2, 2, 2, 3}).empty());
  const std::vector<std::uint32_t> pixels(7);
  EXPECT_TRUE(EncodePng(pixels, 4, 2, 4).empty());
  EXPECT_FALSE(EncodePng(pixels, 3, 2, 4).empty());
  EXPECT_FALSE(SavePng(surface, {0, 0, 0, 0}, "never-written.png"));
}

TEST(PngWriterTest, SavedFileHoldsTheEncodingAndAnUnwritablePathFails) {
  SoftSurface surface(3, 2, Rgb{1, 2, 3});
  surface.FillRect({2, 1, 3, 2}, Rgb{250, 128, 7});
  const testing::TempDirectory directory;
  const std::string path = directory / "saved.png";
  ASSERT_TRUE(SavePng(surface, {0, 0, 3, 2}, path));
  EXPECT_EQ(testing::ReadWholeFile(path), EncodePng(surface, {0, 0, 3, 2}));
  EXPECT_FALSE(SavePng(surface, {0, 0, 3, 2}, directory / "missing" / "saved.png"));
  EXPECT_FALSE(std::filesystem::exists(directory / "missing"));
}

}  // namespace
}  // namespace rolvi::platform
