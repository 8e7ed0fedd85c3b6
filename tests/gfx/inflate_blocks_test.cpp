// Hand-assembled streams for what zlib never writes: padding bits set, a distance of exactly
// 32,768, length 258 spelled with extra bits, single and deep sparse codes, codes of every
// broken shape, output that ends inside a match, and every failure the decoder names. Ordinary
// streams of every kind are compared with zlib in inflate_zlib_test.cpp.
#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "gfx/inflate.h"

namespace rolvi::gfx {
namespace {

using Stream = std::vector<std::uint8_t>;

// A code-length symbol of a dynamic header with its extra-bit value (for 16, 17 and 18).
struct LengthSymbol {
  unsigned symbol = 0;
  unsigned extra = 0;
};

// Assembles a stream bit by bit: fields lowest bit first, Huffman codes highest bit first.
struct DeflateWriter {
  Stream bytes;
  std::size_t bits = 0;

  void Bits(unsigned value, unsigned count) {
    for (unsigned i = 0; i < count; ++i, ++bits) {
      if (bits % 8 == 0) bytes.push_back(0);
      if ((value >> i) & 1u)
        bytes.back() = static_cast<std::uint8_t>(bytes.back() | (1u << (bits % 8)));
    }
  }
  void Code(unsigned code, unsigned length) {
    for (unsigned i = length; i-- > 0;)
      Bits((code >> i) & 1u, 1);
  }
  // Pads the current byte with `fill` bits (0 or 1).
  void AlignToByte(unsigned fill = 0) {
    while (bits % 8 != 0)
      Bits(fill, 1);
  }
  void Bytes(std::span<const std::uint8_t> data) {
    for (const std::uint8_t byte : data)
      Bits(byte, 8);
  }
  void BlockHeader(bool last, unsigned type) {
    Bits(last ? 1 : 0, 1);
    Bits(type, 2);
  }
  void StoredHeader(bool last, unsigned len, unsigned nlen) {
    BlockHeader(last, 0);
    AlignToByte();
    Bits(len, 16);
    Bits(nlen, 16);
  }
  void StoredBlock(bool last, std::span<const std::uint8_t> data) {
    StoredHeader(last, static_cast<unsigned>(data.size()),
                 static_cast<unsigned>(data.size()) ^ 0xFFFFu);
    Bytes(data);
  }
  void FixedLiteral(unsigned symbol) {
    if (symbol < 144) {
      Code(0x30 + symbol, 8);
    } else if (symbol < 256) {
      Code(0x190 + symbol - 144, 9);
    } else if (symbol < 280) {
      Code(symbol - 256, 7);
    } else {
      Code(0xC0 + symbol - 280, 8);
    }
  }
  void FixedDistance(unsigned symbol) { Code(symbol, 5); }

  // A dynamic header after its block header, with a code-length code that gives symbols 0..12
  // the four-bit codes 0..12 and 13..18 the five-bit codes 26..31.
  void DynamicHeader(unsigned literal_count, unsigned distance_count,
                     std::span<const LengthSymbol> symbols) {
    Bits(literal_count - 257, 5);
    Bits(distance_count - 1, 5);
    Bits(19 - 4, 4);
    for (const unsigned symbol : {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15})
      Bits(symbol <= 12 ? 4 : 5, 3);
    for (const auto [symbol, extra] : symbols) {
      Code(symbol <= 12 ? symbol : symbol + 13, symbol <= 12 ? 4 : 5);
      Bits(extra, symbol == 16 ? 2 : symbol == 17 ? 3 : symbol == 18 ? 7 : 0);
    }
  }
  // A dynamic header carrying the given lengths, each as its own code-length symbol.
  void DynamicHeader(std::span<const std::uint8_t> literal_lengths,
                     std::span<const std::uint8_t> distance_lengths) {
    std::vector<LengthSymbol> symbols;
    for (const auto lengths : {literal_lengths, distance_lengths}) {
      for (const std::uint8_t length : lengths)
        symbols.push_back({length, 0});
    }
    DynamicHeader(static_cast<unsigned>(literal_lengths.size()),
                  static_cast<unsigned>(distance_lengths.size()), symbols);
  }
};

struct Decoded {
  InflateStatus status;
  std::string text;
};

Decoded Decode(const Stream& stream, std::size_t capacity = 1 << 17) {
  std::vector<std::uint8_t> output(capacity);
  const InflateResult result = Inflate(stream, output);
  return {result.status, std::string(output.begin(), output.begin() + result.written)};
}

// A fixed block (the last one unless said otherwise) holding `text` as literals, then whatever
// `rest` writes, then the end-of-block code.
void FixedBlock(DeflateWriter& writer, std::string_view text,
                const std::function<void(DeflateWriter&)>& rest = {}, bool last = true) {
  writer.BlockHeader(last, 1);
  for (const char c : text)
    writer.FixedLiteral(static_cast<unsigned char>(c));
  if (rest) rest(writer);
  writer.FixedLiteral(256);
}

Stream FixedStream(std::string_view text, const std::function<void(DeflateWriter&)>& rest = {}) {
  DeflateWriter writer;
  FixedBlock(writer, text, rest);
  return writer.bytes;
}

// A copy of `length_symbol` (no extra bits) from `distance_symbol` (no extra bits).
std::function<void(DeflateWriter&)> Copy(unsigned length_symbol, unsigned distance_symbol) {
  return [=](DeflateWriter& writer) {
    writer.FixedLiteral(length_symbol);
    writer.FixedDistance(distance_symbol);
  };
}

// The last block, dynamic, with a header carrying the given lengths.
DeflateWriter DynamicBlock(std::span<const std::uint8_t> literal_lengths,
                           std::span<const std::uint8_t> distance_lengths) {
  DeflateWriter writer;
  writer.BlockHeader(true, 2);
  writer.DynamicHeader(literal_lengths, distance_lengths);
  return writer;
}

DeflateWriter DynamicBlock(unsigned distance_count, std::span<const LengthSymbol> symbols) {
  DeflateWriter writer;
  writer.BlockHeader(true, 2);
  writer.DynamicHeader(257, distance_count, symbols);
  return writer;
}

TEST(InflateStoredTest, PaddingBeforeAStoredBlockIsSkippedWhateverItHoldsAndWhereverItEnds) {
  DeflateWriter mid_byte;
  FixedBlock(mid_byte, "ab", {}, false);
  mid_byte.BlockHeader(true, 0);
  ASSERT_NE(mid_byte.bits % 8, 0u);
  mid_byte.AlignToByte(1);  // padding bits carry no meaning, even when set
  mid_byte.Bits(6, 16);
  mid_byte.Bits(6 ^ 0xFFFFu, 16);
  mid_byte.Bytes(std::vector<std::uint8_t>{'s', 't', 'o', 'r', 'e', 'd'});
  EXPECT_EQ(Decode(mid_byte.bytes).text, "abstored");

  // Three 9-bit literals put the stored header's end exactly on a byte boundary.
  DeflateWriter on_boundary;
  FixedBlock(on_boundary, "\xC8\xC9\xCA", {}, false);
  ASSERT_EQ((on_boundary.bits + 3) % 8, 0u);
  on_boundary.StoredBlock(true, std::vector<std::uint8_t>{'x', 'y'});
  EXPECT_EQ(Decode(on_boundary.bytes).text, "\xC8\xC9\xCAxy");
}

TEST(InflateStoredTest, MismatchedNlenAndShortStoredDataFail) {
  DeflateWriter bad_nlen;
  bad_nlen.StoredHeader(true, 3, 3 ^ 0xFFFEu);
  bad_nlen.Bytes(std::vector<std::uint8_t>{1, 2, 3});
  EXPECT_EQ(Decode(bad_nlen.bytes).status, InflateStatus::kBadStoredLength);

  DeflateWriter short_data;
  short_data.StoredHeader(true, 5, 5 ^ 0xFFFFu);
  short_data.Bytes(std::vector<std::uint8_t>{1, 2, 3, 4});
  EXPECT_EQ(Decode(short_data.bytes).status, InflateStatus::kInputExhausted);

  DeflateWriter no_nlen;
  no_nlen.BlockHeader(true, 0);
  no_nlen.AlignToByte();
  no_nlen.Bits(5, 16);
  EXPECT_EQ(Decode(no_nlen.bytes).status, InflateStatus::kInputExhausted);
}

TEST(InflateBlockTest, BlockTypeThreeFailsAndKeepsTheBytesBeforeIt) {
  for (const bool last : {false, true}) {
    DeflateWriter writer;
    FixedBlock(writer, "kept", {}, false);
    writer.BlockHeader(last, 3);
    writer.Bits(0, 13);
    const Decoded decoded = Decode(writer.bytes);
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
  return writer.bytes;
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
  EXPECT_EQ(Decode(stored.bytes, 6).status, InflateStatus::kOk);
  EXPECT_EQ(Decode(stored.bytes, 5).status, InflateStatus::kOutputFull);
}

TEST(InflateOutputTest, AMatchThatDoesNotFitIsWrittenWholeOnceResumedWithRoom) {
  // "ab" then a match of 258 bytes at distance 2, which needs all its room at once.
  const Stream stream = FixedStream("ab", Copy(285, 1));
  std::vector<std::uint8_t> output(10);
  Inflater inflater;
  EXPECT_EQ(inflater.Run(stream, output), (InflateResult{InflateStatus::kOutputFull, 2}));
  output.resize(259);
  EXPECT_EQ(inflater.Resume(output).status, InflateStatus::kOutputFull);
  output.resize(260);
  EXPECT_EQ(inflater.Resume(output), (InflateResult{InflateStatus::kOk, 260}));
  for (std::size_t i = 0; i < output.size(); ++i)
    ASSERT_EQ(output[i], i % 2 == 0 ? 'a' : 'b') << i;
}

// Literal/length lengths for a block that only knows 'a', 'b' and end-of-block, plus length 3:
// two-bit codes 0 to 3 in that order.
std::vector<std::uint8_t> SmallLiteralLengths() {
  std::vector<std::uint8_t> lengths(258, 0);
  lengths['a'] = 2;
  lengths['b'] = 2;
  lengths[256] = 2;
  lengths[257] = 2;
  return lengths;
}

TEST(InflateDynamicTest, ASingleDistanceCodeOfAnyLengthIsAcceptedAndItsOtherPatternsFail) {
  // One code of one bit reads in the first table; one of ten bits goes on into its nodes, whose
  // unused branches must fail too. The block: "a", a copy of 3 whose distance code is
  // `distance_code`, end of block.
  const auto literal_lengths = SmallLiteralLengths();
  for (const std::uint8_t length : {1, 10}) {
    for (const unsigned distance_code : {0u, 1u}) {
      DeflateWriter writer = DynamicBlock(literal_lengths, std::vector<std::uint8_t>{length});
      writer.Code(0, 2);  // 'a'
      writer.Code(3, 2);  // length 3
      writer.Code(distance_code, length);
      writer.Code(2, 2);  // end of block
      const Decoded decoded = Decode(writer.bytes);
      SCOPED_TRACE(::testing::Message() << "length " << int{length} << ", code " << distance_code);
      EXPECT_EQ(decoded.status,
                distance_code == 0 ? InflateStatus::kOk : InflateStatus::kBadSymbol);
      EXPECT_EQ(decoded.text, distance_code == 0 ? "aaaa" : "a");
    }
  }
}

TEST(InflateDynamicTest, UncoveredLiteralPatternFails) {
  // A single literal code of length 1: the pattern starting with bit 1 is nobody's.
  std::vector<std::uint8_t> literal_lengths(257, 0);
  literal_lengths[256] = 1;
  for (const unsigned first_bit : {1u, 0u}) {
    DeflateWriter writer = DynamicBlock(literal_lengths, std::vector<std::uint8_t>{0});
    writer.Bits(first_bit, 1);
    EXPECT_EQ(Decode(writer.bytes).status,
              first_bit == 1 ? InflateStatus::kBadSymbol : InflateStatus::kOk);
  }
}

TEST(InflateDynamicTest, RepeatsMustEndByTheLastLengthAndFollowOne) {
  // 255 zeros, a 1 for symbol 255, then symbol 16 repeating it three times: for 256 and the
  // first distance lengths. With two distance codes the repeat ends exactly at the end.
  const auto repeat_at_the_end = [](unsigned distance_count) {
    const std::vector<LengthSymbol> symbols = {{18, 127}, {18, 106}, {1, 0}, {16, 0}};
    DeflateWriter writer = DynamicBlock(distance_count, symbols);
    writer.Code(0, 1);  // literal 255 (code 0), then end of block (code 1)
    writer.Code(1, 1);
    return Decode(writer.bytes);
  };
  EXPECT_EQ(repeat_at_the_end(2).status, InflateStatus::kOk);
  EXPECT_EQ(repeat_at_the_end(2).text, std::string(1, '\xFF'));
  EXPECT_EQ(repeat_at_the_end(1).status, InflateStatus::kRepeatPastEnd);

  for (const LengthSymbol run : {LengthSymbol{17, 7}, LengthSymbol{18, 0}}) {
    // 250 lengths so far, then a run of 10 or 11 zeros where only 9 are left (259 in all).
    const std::vector<LengthSymbol> symbols = {{18, 127}, {18, 101}, run};
    EXPECT_EQ(Decode(DynamicBlock(2, symbols).bytes).status, InflateStatus::kRepeatPastEnd);
  }
  DeflateWriter first = DynamicBlock(1, std::vector<LengthSymbol>{{16, 0}});
  first.Bits(0, 16);
  EXPECT_EQ(Decode(first.bytes).status, InflateStatus::kRepeatWithoutLength);
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
    DeflateWriter writer = DynamicBlock(literal_lengths, distance_lengths);
    writer.Bits(0, 16);
    EXPECT_EQ(Decode(writer.bytes).status, InflateStatus::kBadCodeLengths);
  }

  // Incomplete code-length code: four code-length lengths (for 16, 17, 18 and 0), two of 2.
  DeflateWriter header;
  header.BlockHeader(true, 2);
  header.Bits(0, 14);  // 257 literal/length and 1 distance lengths, 4 code-length lengths
  for (const unsigned length : {0u, 2u, 2u, 0u})
    header.Bits(length, 3);
  header.Bits(0, 16);
  EXPECT_EQ(Decode(header.bytes).status, InflateStatus::kBadCodeLengths);
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
