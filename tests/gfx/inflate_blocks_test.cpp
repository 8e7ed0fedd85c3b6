// Hand-assembled streams: block boundaries, length and distance codes, dynamic headers and
// every failure the decoder names.
#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "gfx/deflate_writer.h"
#include "gfx/inflate.h"

namespace rolvi::gfx {
namespace {

using testing::DeflateWriter;
using testing::LengthSymbol;

struct Decoded {
  InflateStatus status;
  std::string text;
};

Decoded Decode(const std::vector<std::uint8_t>& stream, std::size_t capacity = 1 << 17) {
  std::vector<std::uint8_t> output(capacity);
  const InflateResult result = Inflate(stream, output);
  return {result.status, std::string(output.begin(), output.begin() + result.written)};
}

void Literals(DeflateWriter& writer, std::string_view text) {
  for (const char c : text)
    writer.FixedLiteral(static_cast<unsigned char>(c));
}

// A fixed block holding `text` and nothing else.
std::vector<std::uint8_t> FixedText(std::string_view text) {
  DeflateWriter writer;
  writer.BlockHeader(true, 1);
  Literals(writer, text);
  writer.FixedLiteral(256);
  return writer.Finish();
}

TEST(InflateStoredTest, EmptyStoredBlockIsFollowedByTheNextHeaderAfterItsNlen) {
  DeflateWriter writer;
  writer.StoredBlock(false, {});
  writer.BlockHeader(true, 1);
  Literals(writer, "A");
  writer.FixedLiteral(256);
  const auto stream = writer.Finish();
  ASSERT_EQ(stream[0] & 0x07, 0);
  EXPECT_EQ(stream[1], 0x00);
  EXPECT_EQ(stream[3], 0xFF);
  const Decoded decoded = Decode(stream);
  EXPECT_EQ(decoded.status, InflateStatus::kOk);
  EXPECT_EQ(decoded.text, "A");
}

TEST(InflateStoredTest, StoredBlockAfterACompressedBlockInMidByteSkipsThePadding) {
  DeflateWriter writer;
  writer.BlockHeader(false, 1);
  Literals(writer, "ab");
  writer.FixedLiteral(256);
  writer.BlockHeader(true, 0);
  ASSERT_NE(writer.bit_count() % 8, 0u);
  writer.AlignToByte(1);  // padding bits carry no meaning, even when set
  const std::string tail = "stored";
  writer.Bits(static_cast<unsigned>(tail.size()), 16);
  writer.Bits(static_cast<unsigned>(tail.size()) ^ 0xFFFFu, 16);
  writer.Bytes(std::vector<std::uint8_t>(tail.begin(), tail.end()));
  const Decoded decoded = Decode(writer.Finish());
  EXPECT_EQ(decoded.status, InflateStatus::kOk);
  EXPECT_EQ(decoded.text, "abstored");
}

TEST(InflateStoredTest, StoredHeaderEndingOnAByteBoundaryDropsNothing) {
  DeflateWriter writer;
  writer.BlockHeader(false, 1);
  for (const unsigned symbol : {200u, 201u, 202u})
    writer.FixedLiteral(symbol);  // 9-bit codes
  writer.FixedLiteral(256);
  writer.BlockHeader(true, 0);
  ASSERT_EQ(writer.bit_count() % 8, 0u);
  const std::vector<std::uint8_t> tail = {'x', 'y'};
  writer.Bits(2, 16);
  writer.Bits(2 ^ 0xFFFFu, 16);
  writer.Bytes(tail);
  const Decoded decoded = Decode(writer.Finish());
  EXPECT_EQ(decoded.status, InflateStatus::kOk);
  EXPECT_EQ(decoded.text, std::string("\xC8\xC9\xCAxy"));
}

TEST(InflateStoredTest, MismatchedNlenAndShortStoredDataFail) {
  DeflateWriter bad_nlen;
  bad_nlen.StoredBlockWithNlen(true, 3, 3 ^ 0xFFFEu);
  bad_nlen.Bytes(std::vector<std::uint8_t>{1, 2, 3});
  EXPECT_EQ(Decode(bad_nlen.Finish()).status, InflateStatus::kBadStoredLength);

  DeflateWriter short_data;
  short_data.StoredBlockWithNlen(true, 5, 5 ^ 0xFFFFu);
  short_data.Bytes(std::vector<std::uint8_t>{1, 2, 3, 4});
  EXPECT_EQ(Decode(short_data.Finish()).status, InflateStatus::kInputExhausted);

  DeflateWriter no_nlen;
  no_nlen.BlockHeader(true, 0);
  no_nlen.AlignToByte();
  no_nlen.Bits(5, 16);
  EXPECT_EQ(Decode(no_nlen.Finish()).status, InflateStatus::kInputExhausted);
}

TEST(InflateBlockTest, BlockTypeThreeFails) {
  for (const bool last : {false, true}) {
    DeflateWriter writer;
    writer.BlockHeader(last, 3);
    writer.Bits(0, 13);
    EXPECT_EQ(Decode(writer.Finish()).status, InflateStatus::kBadBlockType);
  }
}

TEST(InflateBlockTest, BytesBeforeAFailureStayInTheOutput) {
  DeflateWriter writer;
  writer.BlockHeader(false, 1);
  Literals(writer, "kept");
  writer.FixedLiteral(256);
  writer.BlockHeader(true, 3);
  writer.Bits(0, 8);
  const Decoded decoded = Decode(writer.Finish());
  EXPECT_EQ(decoded.status, InflateStatus::kBadBlockType);
  EXPECT_EQ(decoded.text, "kept");
}

TEST(InflateLengthTest, LengthSymbolsAndExtraBits) {
  // 285 is 258 without extra bits; 265 with extra bit 1 is 12; 264 is 10; 284 with all five
  // extra bits set is 258 as well.
  DeflateWriter writer;
  writer.BlockHeader(true, 1);
  Literals(writer, "abc");
  writer.FixedLiteral(265);
  writer.Bits(1, 1);
  writer.FixedDistance(2);  // distance 3
  writer.FixedLiteral(285);
  writer.FixedDistance(0);  // distance 1
  writer.FixedLiteral(264);
  writer.FixedDistance(0);
  writer.FixedLiteral(284);
  writer.Bits(31, 5);
  writer.FixedDistance(0);
  writer.FixedLiteral(256);
  const Decoded decoded = Decode(writer.Finish());
  ASSERT_EQ(decoded.status, InflateStatus::kOk);
  EXPECT_EQ(decoded.text, "abcabcabcabcabc" + std::string(258 + 10 + 258, 'c'));
}

TEST(InflateLengthTest, DistanceOneRepeatsTheLastByte) {
  DeflateWriter writer;
  writer.BlockHeader(true, 1);
  Literals(writer, "pq");
  writer.FixedLiteral(264);  // length 10
  writer.FixedDistance(0);
  writer.FixedLiteral(256);
  EXPECT_EQ(Decode(writer.Finish()).text, "pqqqqqqqqqqq");
}

TEST(InflateDistanceTest, DistanceSymbolFourWithExtraBitOneIsSix) {
  DeflateWriter writer;
  writer.BlockHeader(true, 1);
  Literals(writer, "abcdefgh");
  writer.FixedLiteral(257);  // length 3
  writer.FixedDistance(4);
  writer.Bits(1, 1);
  writer.FixedLiteral(256);
  EXPECT_EQ(Decode(writer.Finish()).text, "abcdefghcde");
}

// 32,768 distinct-looking bytes in two stored blocks.
std::vector<std::uint8_t> Window() {
  std::vector<std::uint8_t> window(32768);
  for (std::size_t i = 0; i < window.size(); ++i)
    window[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
  return window;
}

std::vector<std::uint8_t> FarCopy(std::size_t window_size, unsigned extra) {
  const auto window = Window();
  DeflateWriter writer;
  writer.StoredBlock(false, std::span(window).first(window_size / 2));
  writer.StoredBlock(false,
                     std::span(window).subspan(window_size / 2, window_size - window_size / 2));
  writer.BlockHeader(true, 1);
  writer.FixedLiteral(259);  // length 5
  writer.FixedDistance(29);
  writer.Bits(extra, 13);
  writer.FixedLiteral(256);
  return writer.Finish();
}

TEST(InflateDistanceTest, SymbolTwentyNineWithAllExtraBitsReachesBack32768) {
  const auto window = Window();
  const Decoded decoded = Decode(FarCopy(32768, 0x1FFF));
  ASSERT_EQ(decoded.status, InflateStatus::kOk);
  ASSERT_EQ(decoded.text.size(), 32768u + 5);
  EXPECT_EQ(decoded.text.substr(32768), std::string(window.begin(), window.begin() + 5));
  // Extra value 0 is distance 24,577.
  const Decoded nearer = Decode(FarCopy(32768, 0));
  ASSERT_EQ(nearer.status, InflateStatus::kOk);
  EXPECT_EQ(nearer.text.substr(32768),
            std::string(window.begin() + 32768 - 24577, window.begin() + 32768 - 24577 + 5));
}

TEST(InflateDistanceTest, DistanceBeforeTheOutputStartFails) {
  EXPECT_EQ(Decode(FarCopy(32767, 0x1FFF)).status, InflateStatus::kDistanceTooFar);
  DeflateWriter writer;
  writer.BlockHeader(true, 1);
  writer.FixedLiteral(257);
  writer.FixedDistance(0);
  writer.FixedLiteral(256);
  EXPECT_EQ(Decode(writer.Finish()).status, InflateStatus::kDistanceTooFar);
}

TEST(InflateSymbolTest, SymbolsOutsideTheAlphabetsFail) {
  for (const unsigned symbol : {286u, 287u}) {
    DeflateWriter writer;
    writer.BlockHeader(true, 1);
    Literals(writer, "abc");
    writer.FixedLiteral(symbol);
    writer.FixedDistance(0);
    writer.FixedLiteral(256);
    const Decoded decoded = Decode(writer.Finish());
    EXPECT_EQ(decoded.status, InflateStatus::kBadLengthSymbol);
    EXPECT_EQ(decoded.text, "abc");
  }
  for (const unsigned symbol : {30u, 31u}) {
    DeflateWriter writer;
    writer.BlockHeader(true, 1);
    Literals(writer, "abc");
    writer.FixedLiteral(257);
    writer.FixedDistance(symbol);
    writer.FixedLiteral(256);
    EXPECT_EQ(Decode(writer.Finish()).status, InflateStatus::kBadDistanceSymbol);
  }
}

TEST(InflateOutputTest, OutputThatWouldPassTheCapacityFails) {
  const auto stream = FixedText("abcd");
  EXPECT_EQ(Decode(stream, 4).status, InflateStatus::kOk);
  const Decoded literal = Decode(stream, 3);
  EXPECT_EQ(literal.status, InflateStatus::kOutputFull);
  EXPECT_EQ(literal.text, "abc");
  EXPECT_EQ(Decode(stream, 0).status, InflateStatus::kOutputFull);

  DeflateWriter match;
  match.BlockHeader(true, 1);
  Literals(match, "z");
  match.FixedLiteral(264);  // length 10
  match.FixedDistance(0);
  match.FixedLiteral(256);
  const auto match_stream = match.Finish();
  EXPECT_EQ(Decode(match_stream, 11).status, InflateStatus::kOk);
  EXPECT_EQ(Decode(match_stream, 10).status, InflateStatus::kOutputFull);

  DeflateWriter stored;
  stored.StoredBlock(true, std::vector<std::uint8_t>(6, 'x'));
  const auto stored_stream = stored.Finish();
  EXPECT_EQ(Decode(stored_stream, 6).status, InflateStatus::kOk);
  EXPECT_EQ(Decode(stored_stream, 5).status, InflateStatus::kOutputFull);
}

// Literal/length lengths for a block that only knows 'a', 'b' and end-of-block, plus length 3.
std::vector<std::uint8_t> SmallLiteralLengths() {
  std::vector<std::uint8_t> lengths(258, 0);
  lengths['a'] = 2;
  lengths['b'] = 2;
  lengths[256] = 2;
  lengths[257] = 2;
  return lengths;
}

TEST(InflateDynamicTest, SingleCodeDistanceAlphabetIsAccepted) {
  const auto literal_lengths = SmallLiteralLengths();
  const std::vector<std::uint8_t> distance_lengths = {1};
  const auto codes = testing::CanonicalCodes(literal_lengths);
  DeflateWriter writer;
  writer.BlockHeader(true, 2);
  writer.DynamicHeader(literal_lengths, distance_lengths);
  writer.Code(codes['a'], 2);
  writer.Code(codes['b'], 2);
  writer.Code(codes[257], 2);
  writer.Code(0, 1);  // the one distance code: distance 1
  writer.Code(codes[256], 2);
  const auto good = Decode(writer.Finish());
  EXPECT_EQ(good.status, InflateStatus::kOk);
  EXPECT_EQ(good.text, "abbbb");

  // The other one-bit pattern belongs to no distance code.
  DeflateWriter unused;
  unused.BlockHeader(true, 2);
  unused.DynamicHeader(literal_lengths, distance_lengths);
  unused.Code(codes['a'], 2);
  unused.Code(codes[257], 2);
  unused.Code(1, 1);
  unused.Code(codes[256], 2);
  EXPECT_EQ(Decode(unused.Finish()).status, InflateStatus::kBadSymbol);
}

TEST(InflateDynamicTest, UncoveredLiteralPatternFails) {
  // A single literal code of length 1: the pattern starting with bit 1 is nobody's.
  std::vector<std::uint8_t> literal_lengths(257, 0);
  literal_lengths[256] = 1;
  DeflateWriter writer;
  writer.BlockHeader(true, 2);
  writer.DynamicHeader(literal_lengths, std::vector<std::uint8_t>{0});
  writer.Bits(1, 1);
  EXPECT_EQ(Decode(writer.Finish()).status, InflateStatus::kBadSymbol);

  DeflateWriter end_only;
  end_only.BlockHeader(true, 2);
  end_only.DynamicHeader(literal_lengths, std::vector<std::uint8_t>{0});
  end_only.Bits(0, 1);
  EXPECT_EQ(Decode(end_only.Finish()).status, InflateStatus::kOk);
}

// 255 zeros, a 1 for symbol 255, then symbol 16 repeating it three times: for 256 and the
// first distance lengths. With two distance codes the repeat ends exactly at the end.
std::vector<std::uint8_t> RepeatAtTheEnd(unsigned distance_count) {
  const std::vector<LengthSymbol> symbols = {{18, 127}, {18, 106}, {1, 0}, {16, 0}};
  DeflateWriter writer;
  writer.BlockHeader(true, 2);
  writer.DynamicHeader(257, distance_count, symbols);
  writer.Code(0, 1);  // literal 255 (code 0), then end of block (code 1)
  writer.Code(1, 1);
  return writer.Finish();
}

TEST(InflateDynamicTest, RepeatEndingExactlyAtTheLastLengthIsAcceptedAndOnePastFails) {
  const Decoded exact = Decode(RepeatAtTheEnd(2));
  EXPECT_EQ(exact.status, InflateStatus::kOk);
  EXPECT_EQ(exact.text, std::string(1, '\xFF'));
  EXPECT_EQ(Decode(RepeatAtTheEnd(1)).status, InflateStatus::kRepeatPastEnd);
}

TEST(InflateDynamicTest, ZeroRunsPastTheEndFail) {
  for (const LengthSymbol run : {LengthSymbol{17, 7}, LengthSymbol{18, 0}}) {
    // 250 lengths so far, then a run of 10 or 11 zeros where only 9 are left (259 in all).
    const std::vector<LengthSymbol> symbols = {{18, 127}, {18, 101}, {run.symbol, run.extra}};
    DeflateWriter writer;
    writer.BlockHeader(true, 2);
    writer.DynamicHeader(257, 2, symbols);
    EXPECT_EQ(Decode(writer.Finish()).status, InflateStatus::kRepeatPastEnd);
  }
}

TEST(InflateDynamicTest, RepeatWithNoPreviousLengthFails) {
  const std::vector<LengthSymbol> symbols = {{16, 0}};
  DeflateWriter writer;
  writer.BlockHeader(true, 2);
  writer.DynamicHeader(257, 1, symbols);
  writer.Bits(0, 16);
  EXPECT_EQ(Decode(writer.Finish()).status, InflateStatus::kRepeatWithoutLength);
}

TEST(InflateDynamicTest, CodesThatAreNeitherCompleteNorSingleFail) {
  // Oversubscribed literal/length code.
  auto oversubscribed = SmallLiteralLengths();
  oversubscribed['c'] = 2;
  DeflateWriter over;
  over.BlockHeader(true, 2);
  over.DynamicHeader(oversubscribed, std::vector<std::uint8_t>{1});
  over.Bits(0, 16);
  EXPECT_EQ(Decode(over.Finish()).status, InflateStatus::kBadCodeLengths);

  // Incomplete distance code with two symbols.
  DeflateWriter incomplete;
  incomplete.BlockHeader(true, 2);
  incomplete.DynamicHeader(SmallLiteralLengths(), std::vector<std::uint8_t>{2, 2});
  incomplete.Bits(0, 16);
  EXPECT_EQ(Decode(incomplete.Finish()).status, InflateStatus::kBadCodeLengths);

  // Incomplete code-length code: two symbols of length 2.
  DeflateWriter header;
  header.BlockHeader(true, 2);
  header.Bits(0, 5);
  header.Bits(0, 5);
  header.Bits(0, 4);  // four code-length lengths: for 16, 17, 18 and 0
  for (const unsigned length : {0u, 2u, 2u, 0u})
    header.Bits(length, 3);
  header.Bits(0, 16);
  EXPECT_EQ(Decode(header.Finish()).status, InflateStatus::kBadCodeLengths);
}

TEST(InflateInputTest, StreamNeedsNoBytesBeyondItsLastBitButMayBeFollowedByAnything) {
  auto stream = FixedText("look-ahead");
  EXPECT_EQ(Decode(stream).text, "look-ahead");
  const auto shorter = std::vector<std::uint8_t>(stream.begin(), stream.end() - 1);
  EXPECT_EQ(Decode(shorter).status, InflateStatus::kInputExhausted);
  stream.insert(stream.end(), {0, 0, 0});
  EXPECT_EQ(Decode(stream).text, "look-ahead");
  stream.back() = 0xFF;
  EXPECT_EQ(Decode(stream).text, "look-ahead");
  EXPECT_EQ(Decode({}).status, InflateStatus::kInputExhausted);
}

TEST(InflateInputTest, EndOfBlockCodeOfZeroBitsStillNeedsItsByte) {
  // The fixed end-of-block code is seven 0 bits: a stream cut before them must not pass on
  // the zeros that stand in for missing bytes.
  DeflateWriter writer;
  writer.BlockHeader(true, 1);
  Literals(writer, "a");  // 3 + 8 bits, so the end-of-block code fills bits 11..17
  writer.FixedLiteral(256);
  const auto stream = writer.Finish();
  ASSERT_EQ(stream.size(), 3u);
  EXPECT_EQ(Decode(stream).status, InflateStatus::kOk);
  EXPECT_EQ(Decode({stream[0], stream[1]}).status, InflateStatus::kInputExhausted);
}

}  // namespace
}  // namespace rolvi::gfx
