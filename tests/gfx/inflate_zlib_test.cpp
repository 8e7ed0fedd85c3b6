// The decoder against zlib: streams zlib made with every level and strategy, and one with
// blocks of every kind after each other, decode to the original bytes, in one go or through an
// output buffer that grows and is resumed; cut streams fail cleanly. Damaged streams are
// compared with zlib by fuzz/inflate_fuzzer.cpp.
#include <gtest/gtest.h>
#include <zlib.h>

#include <set>
#include <string>
#include <vector>

#include "gfx/inflate.h"
#include "gfx/zlib_streams.h"

namespace rolvi::gfx {
namespace {

using testing::Bytes;
using testing::ZlibDeflate;

void ExpectDecodesTo(const Bytes& stream, const Bytes& expected, const std::string& label) {
  Bytes output(expected.size());
  const InflateResult result = Inflate(stream, output);
  ASSERT_EQ(result.status, InflateStatus::kOk) << label << ": " << InflateStatusText(result.status);
  ASSERT_EQ(result.written, expected.size()) << label;
  EXPECT_TRUE(output == expected) << label;
}

TEST(InflateZlibTest, EveryLevelAndStrategyDecodesToTheOriginal) {
  const std::pair<std::string, Bytes> samples[] = {
      {"text", testing::WordText(40000, 1)},
      {"random", testing::RandomBytes(20000, 2)},
      {"run", Bytes(30000, 0x5A)},  // distance 1 and length 258 over and over
      {"skewed", testing::SkewedBytes(40000, 3)},
      {"far", testing::FarRepeats(100000, 32500, 4)},
      {"picture", testing::ShadedPicture(160, 120)},
      {"empty", {}},
  };
  const int strategies[] = {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_HUFFMAN_ONLY, Z_RLE, Z_FIXED};
  std::set<unsigned> first_block_types;  // stored, fixed and dynamic must all be among them
  for (const auto& [name, data] : samples) {
    for (int level = 0; level <= 9; ++level) {
      for (const int strategy : strategies) {
        const Bytes stream = ZlibDeflate(data, level, strategy);
        first_block_types.insert((stream.at(0) >> 1) & 3u);
        ExpectDecodesTo(
            stream, data,
            name + " level " + std::to_string(level) + " strategy " + std::to_string(strategy));
      }
    }
  }
  EXPECT_EQ(first_block_types, (std::set<unsigned>{0, 1, 2}));
}

// One stream of dynamic, stored and fixed blocks, Huffman-only and run-length ones, joined by
// full, sync and no flushes and with an empty chunk; `expected` receives the original bytes.
Bytes MixedStream(Bytes& expected) {
  const Bytes text = testing::WordText(20'000, 7);
  const Bytes noise = testing::RandomBytes(3'000, 9);
  const Bytes repeats = testing::FarRepeats(12'000, 700, 5);
  const Bytes skewed = testing::SkewedBytes(10'000, 8);
  const std::vector<testing::DeflateChunk> chunks = {
      {text, 6, Z_DEFAULT_STRATEGY, Z_FULL_FLUSH},
      {noise, 0, Z_DEFAULT_STRATEGY, Z_SYNC_FLUSH},
      {repeats, 9, Z_FIXED, Z_SYNC_FLUSH},
      {skewed, 1, Z_HUFFMAN_ONLY, Z_NO_FLUSH},
      {skewed, 9, Z_DEFAULT_STRATEGY, Z_FULL_FLUSH},
      {{}, 4, Z_RLE, Z_SYNC_FLUSH},
      {text, 1, Z_RLE, Z_FINISH},
  };
  for (const testing::DeflateChunk& chunk : chunks)
    expected.insert(expected.end(), chunk.data.begin(), chunk.data.end());
  return testing::ZlibDeflateChunks(chunks);
}

TEST(InflateZlibTest, BlocksOfMixedKindsDecodeInOneGoAndThroughAGrowingBuffer) {
  Bytes expected;
  const Bytes stream = MixedStream(expected);
  ExpectDecodesTo(stream, expected, "in one go");

  // Steps of one byte stop inside every literal, match and stored block at least once.
  const std::size_t total = expected.size();
  for (const auto& [first, step] : {std::pair<std::size_t, std::size_t>{0, 1},
                                    {1, 7},
                                    {100, 257},
                                    {4096, 4096},
                                    {total - 1, 1}}) {
    SCOPED_TRACE(::testing::Message() << "first " << first << ", step " << step);
    Bytes output(first);
    Inflater inflater;
    InflateResult result = inflater.Run(stream, output);
    int resumes = 0;
    while (result.status == InflateStatus::kOutputFull && output.size() < 2 * total) {
      output.resize(output.size() + step);
      result = inflater.Resume(output);
      ++resumes;
    }
    EXPECT_EQ(result, (InflateResult{InflateStatus::kOk, total}));
    output.resize(result.written);
    EXPECT_TRUE(output == expected);
    EXPECT_GE(resumes, 1) << "the buffer was too small at first";
  }
}

TEST(InflateZlibTest, ResultsOtherThanAFullOutputAreFinal) {
  const Bytes stream = ZlibDeflate(testing::WordText(1000, 1), 6);
  Bytes output(1000);
  Inflater inflater;
  const InflateResult ok = inflater.Run(stream, output);
  ASSERT_EQ(ok.status, InflateStatus::kOk);
  EXPECT_EQ(inflater.Resume(output), ok);

  // A damaged stream stays damaged however much room it gets.
  const Bytes damaged(stream.begin(),
                      stream.begin() + static_cast<std::ptrdiff_t>(stream.size() / 2));
  Bytes small(100);
  InflateResult result = inflater.Run(damaged, small);
  while (result.status == InflateStatus::kOutputFull) {
    small.resize(small.size() * 2);
    result = inflater.Resume(small);
  }
  EXPECT_EQ(result.status, InflateStatus::kInputExhausted);
  small.resize(small.size() * 2);
  EXPECT_EQ(inflater.Resume(small).status, InflateStatus::kInputExhausted);

  // A buffer shorter than what was written already is refused, nothing is lost.
  Bytes tiny(10);
  ASSERT_EQ(inflater.Run(stream, tiny).status, InflateStatus::kOutputFull);
  Bytes shorter(5);
  EXPECT_EQ(inflater.Resume(shorter), (InflateResult{InflateStatus::kOutputFull, 10}));
}

// Every strict prefix of a stream is missing bits the decoder needs.
TEST(InflateDamageTest, EveryPrefixFailsCleanly) {
  const Bytes text = testing::WordText(3000, 11);
  for (const Bytes& stream :
       {ZlibDeflate(text, 9), ZlibDeflate(text, 6, Z_FIXED), ZlibDeflate(text, 0)}) {
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
