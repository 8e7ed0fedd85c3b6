// Resuming the Inflater after the output filled up: a stream decoded through a buffer that
// grows, step by step, gives exactly the bytes of a decode in one go, whatever block kind
// (stored, fixed, dynamic) or match the buffer ends in; other results are final.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <vector>

#include "gfx/deflate_writer.h"
#include "gfx/inflate.h"
#include "gfx/zlib_streams.h"

namespace rolvi::gfx {
namespace {

using testing::Bytes;
using testing::DeflateWriter;

// Decodes `stream` starting with `first` bytes of room and adding `step` each time it fills.
InflateResult DecodeGrowing(const Bytes& stream, std::size_t first, std::size_t step, Bytes& output,
                            int& resumes) {
  output.assign(first, 0);
  Inflater inflater;
  InflateResult result = inflater.Run(stream, output);
  resumes = 0;
  while (result.status == InflateStatus::kOutputFull && output.size() < (std::size_t{1} << 24)) {
    output.resize(output.size() + step);
    result = inflater.Resume(output);
    ++resumes;
  }
  output.resize(result.written);
  return result;
}

TEST(InflateResumeTest, GrowingBuffersDecodeEveryBlockKindAsOneGoDoes) {
  const Bytes text = testing::WordText(20'000, 3);
  const Bytes noise = testing::RandomBytes(3'000, 4);
  const Bytes repeats = testing::FarRepeats(12'000, 700, 5);
  const std::vector<testing::DeflateChunk> chunks = {
      {text, 6, Z_DEFAULT_STRATEGY, Z_SYNC_FLUSH},   // dynamic blocks
      {noise, 0, Z_DEFAULT_STRATEGY, Z_SYNC_FLUSH},  // stored blocks
      {repeats, 9, Z_FIXED, Z_SYNC_FLUSH},           // fixed blocks, long matches
      {text, 1, Z_RLE, Z_FINISH},                    // distance 1 runs
  };
  const Bytes stream = testing::ZlibDeflateChunks(chunks);
  const std::size_t total = text.size() * 2 + noise.size() + repeats.size();
  Bytes whole(total);
  const InflateResult once = Inflate(stream, whole);
  ASSERT_EQ(once.status, InflateStatus::kOk);
  ASSERT_EQ(once.written, total);

  // Steps of one byte stop inside every literal, match and stored block at least once.
  for (const auto& [first, step] : {std::pair<std::size_t, std::size_t>{0, 1},
                                    {1, 7},
                                    {100, 257},
                                    {4096, 4096},
                                    {total - 1, 1}}) {
    Bytes output;
    int resumes = 0;
    const InflateResult grown = DecodeGrowing(stream, first, step, output, resumes);
    EXPECT_EQ(grown.status, InflateStatus::kOk) << "first " << first << ", step " << step;
    EXPECT_EQ(grown.written, total) << "first " << first << ", step " << step;
    EXPECT_TRUE(output == whole) << "first " << first << ", step " << step;
    EXPECT_GE(resumes, 1) << "the buffer was too small at first";
  }
}

TEST(InflateResumeTest, AMatchThatDoesNotFitIsWrittenWholeOnceThereIsRoom) {
  // "ab" then a match of 258 bytes at distance 2, which needs all its room at once.
  DeflateWriter writer;
  writer.BlockHeader(true, 1);
  writer.FixedLiteral('a');
  writer.FixedLiteral('b');
  writer.FixedLiteral(285);  // length 258
  writer.FixedDistance(1);   // distance 2
  writer.FixedLiteral(256);
  const Bytes stream = writer.Finish();
  Bytes data(260);
  for (std::size_t i = 0; i < data.size(); ++i)
    data[i] = i % 2 == 0 ? 'a' : 'b';
  Bytes output(10);
  Inflater inflater;
  const InflateResult full = inflater.Run(stream, output);
  ASSERT_EQ(full.status, InflateStatus::kOutputFull);
  EXPECT_EQ(full.written, 2u);  // the literals; the match waits
  output.resize(259);
  EXPECT_EQ(inflater.Resume(output).status, InflateStatus::kOutputFull);
  output.resize(260);
  const InflateResult done = inflater.Resume(output);
  EXPECT_EQ(done.status, InflateStatus::kOk);
  EXPECT_EQ(done.written, 260u);
  EXPECT_TRUE(output == data);
}

TEST(InflateResumeTest, OtherResultsAreFinal) {
  const Bytes stream = testing::ZlibDeflate(testing::WordText(1000, 1), 6);
  Bytes output(1000);
  Inflater inflater;
  const InflateResult ok = inflater.Run(stream, output);
  ASSERT_EQ(ok.status, InflateStatus::kOk);
  EXPECT_EQ(inflater.Resume(output), ok);

  // A damaged stream stays damaged however much room it gets.
  Bytes damaged = stream;
  damaged.resize(damaged.size() / 2);
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

}  // namespace
}  // namespace rolvi::gfx
