// Hand-assembled streams for what zlib never writes: padding bits set, a distance of exactly
// 32,768, length 258 spelled with extra bits, single and deep sparse codes, codes of every
// broken shape, and every failure the decoder names. Ordinary streams of every kind are
// compared with zlib in inflate_zlib_test.cpp.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gfx/deflate_writer.h"
#include "gfx/inflate.h"

namespace rolvi::gfx {
namespace {

using testing::DeflateWriter;
using testing::LengthSymbol;
using Stream = std::vector<std::uint8_t>;

struct Decoded {
  InflateStatus status;
  std::string text;
};

Decoded Decode(const Stream& stream, std::size_t capacity = 1 << 17) {
  std::vector<std::uint8_t> output(capacity);
  const InflateResult result = Inflate(stream, output);
  return {result.status, std::string(output.begin(), output.begin() + result.written)};
}

void Literals(DeflateWriter& writer, std::string_view text) {
  for (const char c : text)
    writer.FixedLiteral(static_cast<unsigned char>(c));
}

// A fixed block (the last one unless said otherwise) holding `text` as literals, then whatever
// `rest` writes, then the end-of-block code.
void FixedBlock(DeflateWriter& writer, std::string_view text,
                const std::function<void(DeflateWriter&)>& rest = {}, bool last = true) {
  writer.BlockHeader(last, 1);
  Literals(writer, text);
  if (rest) rest(writer);
  writer.FixedLiteral(256);
}

Stream FixedStream(std::string_view text, const std::function<void(DeflateWriter&)>& rest = {}) {
  DeflateWriter writer;
  FixedBlock(writer, text, rest);
  return writer.Finish();
}

// A copy of `length_symbol` (no extra bits) from `distance_symbol` (no extra bits).
std::function<void(DeflateWriter&)> Copy(unsigned length_symbol, unsigned distance_symbol) {
  return [=](DeflateWriter& writer) {
    writer.FixedLiteral(length_symbol);
    writer.FixedDistance(distance_symbol);
  };
}

TEST(InflateStoredTest, PaddingBeforeAStoredBlockIsSkippedWhateverItHoldsAndWhereverItEnds) {
  DeflateWriter mid_byte;
  FixedBlock(mid_byte, "ab", {}, false);
  mid_byte.BlockHeader(true, 0);
  ASSERT_NE(mid_byte.bit_count() % 8, 0u);
  mid_byte.AlignToByte(1);  // padding bits carry no meaning, even when set
  mid_byte.Bits(6, 16);
  mid_byte.Bits(6 ^ 0xFFFFu, 16);
  mid_byte.Bytes(std::vector<std::uint8_t>{'s', 't', 'o', 'r', 'e', 'd'});
  EXPECT_EQ(Decode(mid_byte.Finish()).text, "abstored");

  // Three 9-bit literals put the stored header's end exactly on a byte boundary.
  DeflateWriter on_boundary;
  FixedBlock(on_boundary, "\xC8\xC9\xCA", {}, false);
  on_boundary.BlockHeader(true, 0);
  ASSERT_EQ(on_boundary.bit_count() % 8, 0u);
  on_boundary.Bits(2, 16);
  on_boundary.Bits(2 ^ 0xFFFFu, 16);
  on_boundary.Bytes(std::vector<std::uint8_t>{'x', 'y'});
  EXPECT_EQ(Decode(on_boundary.Finish()).text, "\xC8\xC9\xCAxy");
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

TEST(InflateBlockTest, BlockTypeThreeFailsAndKeepsTheBytesBeforeIt) {
  for (const bool last : {false, true}) {
    DeflateWriter writer;
    FixedBlock(writer, "kept", {}, false);
    writer.BlockHeader(last, 3);
    writer.Bits(0, 13);
    const Decoded decoded = Decode(writer.Finish());
    EXPECT_EQ(decoded.status, InflateStatus::kBadBlockType);
    EXPECT_EQ(decoded.text, "kept");
  }
}

TEST(InflateLengthTest, Length258BothWithoutAndWithAllExtraBits) {
  // 285 is 258 without extra bits; 284 with all five extra bits set is 258 as well; 265 with
  // extra bit 1 is 12.
  const Decoded decoded = Decode(FixedStream("abc", [](DeflateWriter& writer) {
    writer.FixedLiteral(265);
    writer.Bits(1, 1);
    writer.FixedDistance(2);  // distance 3
    Copy(285, 0)(writer);
    writer.FixedLiteral(284);
    writer.Bits(31, 5);
    writer.FixedDistance(0);
  }));
  ASSERT_EQ(decoded.status, InflateStatus::kOk);
  EXPECT_EQ(decoded.text, "abcabcabcabcabc" + std::string(258 + 258, 'c'));
}

// 32,768 distinct-looking bytes in two stored blocks, then a copy of 5 from distance symbol 29
// with its 13 extra bits.
Stream FarCopy(std::size_t window_size, unsigned extra) {
  std::vector<std::uint8_t> window(window_size);
  for (std::size_t i = 0; i < window.size(); ++i)
    window[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
  DeflateWriter writer;
  writer.StoredBlock(false, std::span(window).first(window_size / 2));
  writer.StoredBlock(false, std::span(window).subspan(window_size / 2));
  FixedBlock(writer, "", [extra](DeflateWriter& w) {
    w.FixedLiteral(259);  // length 5
    w.FixedDistance(29);
    w.Bits(extra, 13);
  });
  return writer.Finish();
}

TEST(InflateDistanceTest, SymbolTwentyNineReachesBackFrom24577To32768AndNoFurther) {
  const Decoded farthest = Decode(FarCopy(32768, 0x1FFF));
  ASSERT_EQ(farthest.status, InflateStatus::kOk);
  ASSERT_EQ(farthest.text.size(), 32768u + 5);
  EXPECT_EQ(farthest.text.substr(32768), farthest.text.substr(0, 5));
  const Decoded nearest = Decode(FarCopy(32768, 0));
  ASSERT_EQ(nearest.status, InflateStatus::kOk);
  EXPECT_EQ(nearest.text.substr(32768), nearest.text.substr(32768 - 24577, 5));

  EXPECT_EQ(Decode(FarCopy(32767, 0x1FFF)).status, InflateStatus::kDistanceTooFar);
  EXPECT_EQ(Decode(FixedStream("", Copy(257, 0))).status, InflateStatus::kDistanceTooFar);
}

TEST(InflateSymbolTest, SymbolsOutsideTheAlphabetsFail) {
  for (const unsigned symbol : {286u, 287u}) {
    const Decoded decoded = Decode(FixedStream("abc", Copy(symbol, 0)));
    EXPECT_EQ(decoded.status, InflateStatus::kBadLengthSymbol);
    EXPECT_EQ(decoded.text, "abc");
  }
  for (const unsigned symbol : {30u, 31u}) {
    EXPECT_EQ(Decode(FixedStream("abc", Copy(257, symbol))).status,
              InflateStatus::kBadDistanceSymbol);
  }
}

TEST(InflateOutputTest, OutputThatWouldPassTheCapacityFails) {
  const Stream literals = FixedStream("abcd");
  EXPECT_EQ(Decode(literals, 4).status, InflateStatus::kOk);
  const Decoded cut = Decode(literals, 3);
  EXPECT_EQ(cut.status, InflateStatus::kOutputFull);
  EXPECT_EQ(cut.text, "abc");
  EXPECT_EQ(Decode(literals, 0).status, InflateStatus::kOutputFull);

  const Stream match = FixedStream("z", Copy(264, 0));  // length 10
  EXPECT_EQ(Decode(match, 11).status, InflateStatus::kOk);
  EXPECT_EQ(Decode(match, 10).status, InflateStatus::kOutputFull);

  DeflateWriter stored;
  stored.StoredBlock(true, std::vector<std::uint8_t>(6, 'x'));
  const Stream stored_stream = stored.Finish();
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

// A dynamic block with the small literal code and `distance_lengths`: "a", a copy of 3 whose
// distance code is the `distance_length` bits of `distance_code`, end of block.
Stream SmallDynamic(const std::vector<std::uint8_t>& distance_lengths, unsigned distance_code,
                    unsigned distance_length) {
  const auto literal_lengths = SmallLiteralLengths();
  const auto codes = testing::CanonicalCodes(literal_lengths);
  DeflateWriter writer;
  writer.BlockHeader(true, 2);
  writer.DynamicHeader(literal_lengths, distance_lengths);
  writer.Code(codes['a'], 2);
  writer.Code(codes[257], 2);
  writer.Code(distance_code, distance_length);
  writer.Code(codes[256], 2);
  return writer.Finish();
}

TEST(InflateDynamicTest, ASingleDistanceCodeOfAnyLengthIsAcceptedAndItsOtherPatternsFail) {
  // One code of one bit reads in the first table; one of ten bits goes on into its nodes, whose
  // unused branches must fail too.
  for (const std::uint8_t length : {1, 10}) {
    std::vector<std::uint8_t> distance_lengths(1, length);
    const Decoded good = Decode(SmallDynamic(distance_lengths, 0, length));
    EXPECT_EQ(good.status, InflateStatus::kOk) << int{length};
    EXPECT_EQ(good.text, "aaaa");
    EXPECT_EQ(Decode(SmallDynamic(distance_lengths, 1, length)).status, InflateStatus::kBadSymbol)
        << int{length};
  }
}

TEST(InflateDynamicTest, UncoveredLiteralPatternFails) {
  // A single literal code of length 1: the pattern starting with bit 1 is nobody's.
  std::vector<std::uint8_t> literal_lengths(257, 0);
  literal_lengths[256] = 1;
  for (const unsigned first_bit : {1u, 0u}) {
    DeflateWriter writer;
    writer.BlockHeader(true, 2);
    writer.DynamicHeader(literal_lengths, std::vector<std::uint8_t>{0});
    writer.Bits(first_bit, 1);
    EXPECT_EQ(Decode(writer.Finish()).status,
              first_bit == 1 ? InflateStatus::kBadSymbol : InflateStatus::kOk);
  }
}

// 255 zeros, a 1 for symbol 255, then symbol 16 repeating it three times: for 256 and the
// first distance lengths. With two distance codes the repeat ends exactly at the end.
Stream RepeatAtTheEnd(unsigned distance_count) {
  const std::vector<LengthSymbol> symbols = {{18, 127}, {18, 106}, {1, 0}, {16, 0}};
  DeflateWriter writer;
  writer.BlockHeader(true, 2);
  writer.DynamicHeader(257, distance_count, symbols);
  writer.Code(0, 1);  // literal 255 (code 0), then end of block (code 1)
  writer.Code(1, 1);
  return writer.Finish();
}

TEST(InflateDynamicTest, RepeatsMustEndByTheLastLengthAndFollowOne) {
  const Decoded exact = Decode(RepeatAtTheEnd(2));
  EXPECT_EQ(exact.status, InflateStatus::kOk);
  EXPECT_EQ(exact.text, std::string(1, '\xFF'));
  EXPECT_EQ(Decode(RepeatAtTheEnd(1)).status, InflateStatus::kRepeatPastEnd);

  for (const LengthSymbol run : {LengthSymbol{17, 7}, LengthSymbol{18, 0}}) {
    // 250 lengths so far, then a run of 10 or 11 zeros where only 9 are left (259 in all).
    const std::vector<LengthSymbol> symbols = {{18, 127}, {18, 101}, {run.symbol, run.extra}};
    DeflateWriter writer;
    writer.BlockHeader(true, 2);
    writer.DynamicHeader(257, 2, symbols);
    EXPECT_EQ(Decode(writer.Finish()).status, InflateStatus::kRepeatPastEnd);
  }

  DeflateWriter first;
  first.BlockHeader(true, 2);
  first.DynamicHeader(257, 1, std::vector<LengthSymbol>{{16, 0}});
  first.Bits(0, 16);
  EXPECT_EQ(Decode(first.Finish()).status, InflateStatus::kRepeatWithoutLength);
}

TEST(InflateDynamicTest, CodesThatAreNeitherCompleteNorSingleFail) {
  // Oversubscribed literal/length code; oversubscribed distance codes, one of them by exactly
  // twice the code space; an incomplete distance code with two symbols.
  auto oversubscribed = SmallLiteralLengths();
  oversubscribed['c'] = 2;
  const std::pair<std::vector<std::uint8_t>, std::vector<std::uint8_t>> codes[] = {
      {oversubscribed, {1}},
      {SmallLiteralLengths(), {1, 1, 1}},
      {SmallLiteralLengths(), {1, 1, 1, 1}},
      {SmallLiteralLengths(), {2, 2}}};
  for (const auto& [literal_lengths, distance_lengths] : codes) {
    DeflateWriter writer;
    writer.BlockHeader(true, 2);
    writer.DynamicHeader(literal_lengths, distance_lengths);
    writer.Bits(0, 16);
    EXPECT_EQ(Decode(writer.Finish()).status, InflateStatus::kBadCodeLengths);
  }

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

TEST(InflateInputTest, TheStreamEndsAtItsLastBitWhateverFollows) {
  // "a" and the end-of-block code, seven 0 bits in bits 11..17: a stream cut before them must
  // not pass on the zeros that stand in for missing bytes.
  Stream stream = FixedStream("a");
  ASSERT_EQ(stream.size(), 3u);
  EXPECT_EQ(Decode(stream).status, InflateStatus::kOk);
  EXPECT_EQ(Decode({stream[0], stream[1]}).status, InflateStatus::kInputExhausted);
  EXPECT_EQ(Decode({}).status, InflateStatus::kInputExhausted);
  stream.insert(stream.end(), {0xFF, 0xFF});
  EXPECT_EQ(Decode(stream).text, "a");
}

}  // namespace
}  // namespace rolvi::gfx
