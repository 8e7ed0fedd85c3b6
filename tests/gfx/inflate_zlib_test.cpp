// The decoder against zlib: streams zlib made with every level and strategy decode to the
// original bytes, and cut streams fail cleanly. Damaged streams are compared with zlib by
// fuzz/inflate_fuzzer.cpp.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "gfx/inflate.h"
#include "gfx/zlib_streams.h"

namespace rolvi::gfx {
namespace {

using testing::Bytes;
using testing::DeflateChunk;
using testing::ZlibDeflate;

struct Sample {
  std::string name;
  Bytes data;
};

const std::vector<Sample>& Samples() {
  static const std::vector<Sample> samples = {
      {"text", testing::WordText(40000, 1)},
      {"random", testing::RandomBytes(20000, 2)},
      {"run", Bytes(30000, 0x5A)},
      {"skewed", testing::SkewedBytes(40000, 3)},
      {"far", testing::FarRepeats(100000, 32500, 4)},
      {"picture", testing::ShadedPicture(160, 120)},
  };
  return samples;
}

InflateResult DecodeInto(const Bytes& stream, Bytes& output) {
  return Inflate(stream, output);
}

void ExpectDecodesTo(const Bytes& stream, const Bytes& expected, const std::string& label) {
  Bytes output(expected.size());
  const InflateResult result = DecodeInto(stream, output);
  ASSERT_EQ(result.status, InflateStatus::kOk) << label << ": " << InflateStatusText(result.status);
  ASSERT_EQ(result.written, expected.size()) << label;
  EXPECT_TRUE(output == expected) << label;
}

unsigned FirstBlockType(const Bytes& stream) {
  return (stream.at(0) >> 1) & 3u;
}

TEST(InflateZlibTest, EveryLevelAndStrategyDecodesToTheOriginal) {
  const int strategies[] = {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_HUFFMAN_ONLY, Z_RLE, Z_FIXED};
  for (const Sample& sample : Samples()) {
    for (int level = 0; level <= 9; ++level) {
      for (const int strategy : strategies) {
        const Bytes stream = ZlibDeflate(sample.data, level, strategy);
        const std::string label = sample.name + " level " + std::to_string(level) + " strategy " +
                                  std::to_string(strategy);
        ExpectDecodesTo(stream, sample.data, label);
        if (level == 0) {
          EXPECT_EQ(FirstBlockType(stream), 0u) << label;
        } else if (strategy == Z_FIXED && sample.name != "random" && sample.name != "far") {
          EXPECT_EQ(FirstBlockType(stream), 1u) << label;
        }
      }
    }
  }
}

TEST(InflateZlibTest, CompressibleSamplesStartWithADynamicBlock) {
  // The random data and the first period of the far repeats are stored instead.
  for (const Sample& sample : Samples()) {
    if (sample.name == "random" || sample.name == "far") continue;
    EXPECT_EQ(FirstBlockType(ZlibDeflate(sample.data, 9)), 2u) << sample.name;
  }
}

TEST(InflateZlibTest, EmptyInputAtEveryLevel) {
  for (int level = 0; level <= 9; ++level) {
    const Bytes stream = ZlibDeflate({}, level);
    ASSERT_FALSE(stream.empty());
    Bytes output;
    EXPECT_EQ(DecodeInto(stream, output), (InflateResult{InflateStatus::kOk, 0})) << level;
  }
}

TEST(InflateZlibTest, LongRunsOfDistanceOneAndMaximalLength) {
  Bytes run(300000, 0);
  for (std::size_t i = 0; i < run.size(); i += 70001)
    run[i] = 7;
  ExpectDecodesTo(ZlibDeflate(run, 9), run, "run level 9");
  ExpectDecodesTo(ZlibDeflate(run, 1), run, "run level 1");
  EXPECT_LT(ZlibDeflate(run, 9).size(), run.size() / 200);
}

TEST(InflateZlibTest, SeveralBlocksOfMixedTypes) {
  const Bytes text = testing::WordText(30000, 7);
  const Bytes skewed = testing::SkewedBytes(20000, 8);
  const Bytes random = testing::RandomBytes(5000, 9);
  const std::vector<DeflateChunk> chunks = {
      {text, 6, Z_DEFAULT_STRATEGY, Z_FULL_FLUSH},
      {random, 0, Z_DEFAULT_STRATEGY, Z_SYNC_FLUSH},
      {skewed, 9, Z_FIXED, Z_SYNC_FLUSH},
      {text, 1, Z_HUFFMAN_ONLY, Z_NO_FLUSH},
      {skewed, 9, Z_DEFAULT_STRATEGY, Z_FULL_FLUSH},
      {{}, 4, Z_RLE, Z_SYNC_FLUSH},
      {text, 9, Z_FILTERED, Z_FINISH},
  };
  Bytes expected;
  for (const DeflateChunk& chunk : chunks)
    expected.insert(expected.end(), chunk.data.begin(), chunk.data.end());
  const Bytes stream = testing::ZlibDeflateChunks(chunks);
  ExpectDecodesTo(stream, expected, "mixed blocks");
}

TEST(InflateZlibTest, TrailingBytesAfterTheStreamAreIgnored) {
  const Bytes& picture = Samples()[5].data;
  Bytes stream = ZlibDeflate(picture, 9, Z_DEFAULT_STRATEGY, 9);
  stream.insert(stream.end(), {0, 0, 0});
  ExpectDecodesTo(stream, picture, "stream followed by three zero bytes");
}

// Every strict prefix of a stream is missing bits the decoder needs.
TEST(InflateDamageTest, EveryPrefixFailsCleanly) {
  const Bytes text = testing::WordText(3000, 11);
  const Bytes streams[] = {ZlibDeflate(text, 9), ZlibDeflate(text, 6, Z_FIXED),
                           ZlibDeflate(text, 0)};
  for (const Bytes& stream : streams) {
    Bytes output(text.size());
    for (std::size_t size = 0; size < stream.size(); ++size) {
      const InflateResult result =
          Inflate(std::span<const std::uint8_t>(stream).first(size), output);
      EXPECT_NE(result.status, InflateStatus::kOk) << "prefix of " << size;
      EXPECT_LE(result.written, output.size());
    }
    EXPECT_EQ(Inflate(stream, output).status, InflateStatus::kOk);
  }
}

}  // namespace
}  // namespace rolvi::gfx
