#include "gfx/inflate.h"

#include <algorithm>
#include <cstring>

namespace rolvi::gfx {
namespace {

constexpr std::array<std::uint8_t, 19> kCodeLengthOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                           11, 4,  12, 3, 13, 2, 14, 1, 15};
constexpr unsigned kEndOfBlock = 256;
constexpr unsigned kLastLengthSymbol = 285;
constexpr unsigned kLastDistanceSymbol = 29;

// A symbol without a code in a decoder length array (the arrays are longer than any alphabet
// that uses them, or the code is full and the choice does not matter).
std::int16_t UncodedSymbol(std::span<const std::uint8_t> lengths) {
  for (std::size_t symbol = lengths.size(); symbol-- > 0;) {
    if (lengths[symbol] == 0) return static_cast<std::int16_t>(symbol);
  }
  return 0;
}

// Decodes one symbol of an alphabet with node pool; -1 for a bit pattern no code covers.
template <std::size_t kNodeCount>
inline int DecodeSymbol(BitReader& reader, const HuffmanTable<kNodeCount>& table,
                        const std::uint8_t* lengths) {
  const unsigned peek = reader.Peek8();
  int entry = table.direct[peek];
  const unsigned length = table.direct_length[peek];
  if (length == 0) return -1;
  reader.Drop(length);
  if (entry >= 0) return entry;
  unsigned steps = 0;
  do {
    entry = table.nodes[static_cast<std::size_t>(~entry) + reader.PeekBit(steps)];
    ++steps;
  } while (entry < 0);
  if (lengths[entry] == 0) return -1;
  reader.Drop(steps);
  return entry;
}

// Match length of literal/length symbol 257..285.
inline unsigned LengthOf(unsigned symbol, BitReader& reader) {
  if (symbol <= 264) return symbol - 254;
  if (symbol == kLastLengthSymbol) return 258;
  const unsigned m = symbol - 257;
  const unsigned extra = m / 4 - 1;
  const unsigned base = 3 + (((m % 4) + 4) << extra);
  return base + reader.Read(extra);
}

// Distance of distance symbol 0..29.
inline unsigned DistanceOf(unsigned symbol, BitReader& reader) {
  if (symbol < 4) return symbol + 1;
  const unsigned extra = symbol / 2 - 1;
  const unsigned base = 1 + (((symbol % 2) + 2) << extra);
  return base + reader.Read(extra);
}

// Copies `length` bytes from `distance` bytes back with the result of a forward copy one byte
// after the other: a distance shorter than the length repeats what the copy has just written.
// With `room` of at least length + 7, whole 8-byte chunks are moved where that gives the same
// bytes, and up to 7 bytes past the copy are overwritten with scratch that later output
// replaces.
inline void CopyMatch(std::uint8_t* out, std::size_t room, unsigned distance, unsigned length) {
  const std::uint8_t* from = out - distance;
  if (distance >= 8 && room >= length + 7) {
    // Every chunk reads only bytes that are already final: at least 8 back from its start.
    std::uint8_t* const end = out + length;
    do {
      std::memcpy(out, from, 8);
      out += 8;
      from += 8;
    } while (out < end);
    return;
  }
  if (distance == 1) {
    std::memset(out, out[-1], length);
    return;
  }
  for (unsigned i = 0; i < length; ++i)
    out[i] = from[i];
}

}  // namespace

std::string_view InflateStatusText(InflateStatus status) {
  switch (status) {
    case InflateStatus::kOk:
      return "ok";
    case InflateStatus::kBadStoredLength:
      return "stored block length does not match its complement";
    case InflateStatus::kBadBlockType:
      return "invalid block type 3";
    case InflateStatus::kBadCodeLengths:
      return "code lengths form neither a complete code nor a single code";
    case InflateStatus::kRepeatPastEnd:
      return "code length repeat runs past the end of the lengths";
    case InflateStatus::kRepeatWithoutLength:
      return "code length repeat with no previous length";
    case InflateStatus::kBadSymbol:
      return "bit pattern that no code covers";
    case InflateStatus::kBadLengthSymbol:
      return "invalid length symbol 286 or 287";
    case InflateStatus::kBadDistanceSymbol:
      return "invalid distance symbol 30 or 31";
    case InflateStatus::kDistanceTooFar:
      return "distance reaches before the start of the output";
    case InflateStatus::kInputExhausted:
      return "input ends before the final block";
    case InflateStatus::kOutputFull:
      return "decoded data does not fit the output buffer";
  }
  return "unknown status";
}

InflateResult Inflater::Run(std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
  input_ = input;
  reader_ = BitReader(input);
  reader_.Start(0);
  last_block_ = 0;
  output_start_ = output.data();
  output_position_ = output_start_;
  output_end_ = output_start_ + output.size();
  step_ = Step::kBlockHeader;
  pending_literal_ = -1;
  pending_length_ = 0;
  return Continue();
}

InflateResult Inflater::Resume(std::span<std::uint8_t> output) {
  const auto written = static_cast<std::size_t>(output_position_ - output_start_);
  if (last_status_ != InflateStatus::kOutputFull || output.size() < written) {
    return {last_status_, written};
  }
  output_start_ = output.data();
  output_position_ = output_start_ + written;
  output_end_ = output_start_ + output.size();
  return Continue();
}

InflateResult Inflater::Continue() {
  InflateStatus status = InflateStatus::kOk;
  while (status == InflateStatus::kOk && step_ != Step::kDone) {
    switch (step_) {
      case Step::kBlockHeader:
        if (last_block_ != 0) {
          step_ = Step::kDone;
          break;
        }
        last_block_ = static_cast<std::uint8_t>(reader_.TakeBit());
        switch (reader_.Read(2)) {
          case 0:
            status = StartStoredBlock();
            step_ = Step::kStoredData;
            break;
          case 1:
            status = BuildFixedTables();
            step_ = Step::kSymbols;
            break;
          case 2:
            status = ReadDynamicTables();
            step_ = Step::kSymbols;
            break;
          default:
            status = InflateStatus::kBadBlockType;
            break;
        }
        break;
      case Step::kStoredData:
        status = CopyStoredData();
        if (status == InflateStatus::kOk) step_ = Step::kBlockHeader;
        break;
      case Step::kSymbols:
        status = FlushPending();
        if (status == InflateStatus::kOk) status = DecodeSymbols();
        if (status == InflateStatus::kOk) step_ = Step::kBlockHeader;
        break;
      case Step::kDone:
        break;
    }
  }
  // Whatever went wrong after the stream's last real bit is the stream's missing end.
  if (reader_.PastEnd()) status = InflateStatus::kInputExhausted;
  // Only a full output can be resumed; any other failure ends the stream.
  if (status != InflateStatus::kOk && status != InflateStatus::kOutputFull) step_ = Step::kDone;
  last_status_ = status;
  return {status, static_cast<std::size_t>(output_position_ - output_start_)};
}

InflateStatus Inflater::StartStoredBlock() {
  reader_.AlignToByte();
  // The buffer now holds LEN, the two bytes just before the reader's position.
  const std::size_t position = reader_.position();
  if (position > input_.size() || input_.size() - position < 2) {
    return InflateStatus::kInputExhausted;
  }
  const unsigned length = reader_.Peek16();
  const unsigned complement = input_[position] | (input_[position + 1] << 8);
  if ((length ^ 0xFFFFu) != complement) return InflateStatus::kBadStoredLength;
  const std::size_t data = position + 2;
  if (input_.size() - data < length) return InflateStatus::kInputExhausted;
  stored_position_ = data;
  stored_left_ = length;
  return InflateStatus::kOk;
}

InflateStatus Inflater::CopyStoredData() {
  const std::size_t room = static_cast<std::size_t>(output_end_ - output_position_);
  const std::size_t count = std::min(room, stored_left_);
  if (count != 0) std::memcpy(output_position_, input_.data() + stored_position_, count);
  output_position_ += count;
  stored_position_ += count;
  stored_left_ -= count;
  if (stored_left_ != 0) return InflateStatus::kOutputFull;
  reader_.Start(stored_position_);
  return InflateStatus::kOk;
}

InflateStatus Inflater::FlushPending() {
  const std::size_t room = static_cast<std::size_t>(output_end_ - output_position_);
  if (pending_literal_ >= 0) {
    if (room == 0) return InflateStatus::kOutputFull;
    *output_position_++ = static_cast<std::uint8_t>(pending_literal_);
    pending_literal_ = -1;
  } else if (pending_length_ != 0) {
    if (pending_length_ > room) return InflateStatus::kOutputFull;
    CopyMatch(output_position_, room, pending_distance_, pending_length_);
    output_position_ += pending_length_;
    pending_length_ = 0;
  }
  return InflateStatus::kOk;
}

InflateStatus Inflater::BuildFixedTables() {
  std::fill(literal_lengths_.begin(), literal_lengths_.begin() + 144, std::uint8_t{8});
  std::fill(literal_lengths_.begin() + 144, literal_lengths_.begin() + 256, std::uint8_t{9});
  std::fill(literal_lengths_.begin() + 256, literal_lengths_.begin() + 280, std::uint8_t{7});
  std::fill(literal_lengths_.begin() + 280, literal_lengths_.begin() + 288, std::uint8_t{8});
  std::fill(literal_lengths_.begin() + 288, literal_lengths_.end(), std::uint8_t{0});
  distance_lengths_.fill(5);
  return BuildBlockTables(288, 32);
}

InflateStatus Inflater::BuildBlockTables(unsigned literal_count, unsigned distance_count) {
  const bool built =
      BuildHuffmanTable(std::span(literal_lengths_).first(literal_count), literal_table_,
                        UncodedSymbol(literal_lengths_), workspace_) &&
      BuildHuffmanTable(std::span(distance_lengths_).first(distance_count), distance_table_,
                        UncodedSymbol(distance_lengths_), workspace_);
  return built ? InflateStatus::kOk : InflateStatus::kBadCodeLengths;
}

InflateStatus Inflater::ReadDynamicTables() {
  const unsigned literal_count = reader_.Read(5) + 257;
  const unsigned distance_count = reader_.Read(5) + 1;
  const unsigned code_length_count = reader_.Read(4) + 4;
  code_length_lengths_.fill(0);
  for (unsigned i = 0; i < code_length_count; ++i) {
    code_length_lengths_[kCodeLengthOrder[i]] = static_cast<std::uint8_t>(reader_.Read(3));
  }
  if (!BuildHuffmanTable(std::span<const std::uint8_t>(code_length_lengths_), code_length_table_,
                         UncodedSymbol(code_length_lengths_), workspace_)) {
    return InflateStatus::kBadCodeLengths;
  }

  const unsigned total = literal_count + distance_count;
  unsigned filled = 0;
  while (filled < total) {
    if (reader_.FarPastEnd()) return InflateStatus::kInputExhausted;
    // Code-length codes are at most 7 bits long: the direct table alone decodes them.
    const auto symbol = static_cast<unsigned>(code_length_table_.direct[reader_.Peek8()]);
    const unsigned code_length = code_length_lengths_[symbol];
    if (code_length == 0) return InflateStatus::kBadSymbol;
    reader_.Drop(code_length);
    if (symbol < 16) {
      literal_lengths_[filled++] = static_cast<std::uint8_t>(symbol);
      continue;
    }
    std::uint8_t value = 0;
    unsigned repeat = 0;
    if (symbol == 16) {
      if (filled == 0) return InflateStatus::kRepeatWithoutLength;
      value = literal_lengths_[filled - 1];
      repeat = 3 + reader_.Read(2);
    } else if (symbol == 17) {
      repeat = 3 + reader_.Read(3);
    } else {
      repeat = 11 + reader_.Read(7);
    }
    if (repeat > total - filled) return InflateStatus::kRepeatPastEnd;
    std::fill_n(literal_lengths_.begin() + filled, repeat, value);
    filled += repeat;
  }

  distance_lengths_.fill(0);
  std::copy_n(literal_lengths_.begin() + literal_count, distance_count, distance_lengths_.begin());
  std::fill(literal_lengths_.begin() + literal_count, literal_lengths_.end(), std::uint8_t{0});
  return BuildBlockTables(literal_count, distance_count);
}

InflateStatus Inflater::DecodeSymbols() {
  // Local copies keep the bit buffer and the output position in registers: the byte stores
  // below could otherwise alias them.
  BitReader reader = reader_;
  std::uint8_t* out = output_position_;
  std::uint8_t* const out_start = output_start_;
  std::uint8_t* const out_end = output_end_;
  const std::uint8_t* const literal_lengths = literal_lengths_.data();
  const std::uint8_t* const distance_lengths = distance_lengths_.data();

  InflateStatus status = InflateStatus::kOk;
  for (;;) {
    if (reader.FarPastEnd()) {
      status = InflateStatus::kInputExhausted;
      break;
    }
    const int symbol = DecodeSymbol(reader, literal_table_, literal_lengths);
    if (symbol < 0) {
      status = InflateStatus::kBadSymbol;
      break;
    }
    if (symbol < static_cast<int>(kEndOfBlock)) {
      if (out == out_end) {
        pending_literal_ = symbol;
        status = InflateStatus::kOutputFull;
        break;
      }
      *out++ = static_cast<std::uint8_t>(symbol);
      continue;
    }
    if (symbol == static_cast<int>(kEndOfBlock)) break;
    if (symbol > static_cast<int>(kLastLengthSymbol)) {
      status = InflateStatus::kBadLengthSymbol;
      break;
    }
    const unsigned length = LengthOf(static_cast<unsigned>(symbol), reader);
    const int distance_symbol = DecodeSymbol(reader, distance_table_, distance_lengths);
    if (distance_symbol < 0) {
      status = InflateStatus::kBadSymbol;
      break;
    }
    if (distance_symbol > static_cast<int>(kLastDistanceSymbol)) {
      status = InflateStatus::kBadDistanceSymbol;
      break;
    }
    const unsigned distance = DistanceOf(static_cast<unsigned>(distance_symbol), reader);
    if (distance > static_cast<std::size_t>(out - out_start)) {
      status = InflateStatus::kDistanceTooFar;
      break;
    }
    if (length > static_cast<std::size_t>(out_end - out)) {
      pending_length_ = length;
      pending_distance_ = distance;
      status = InflateStatus::kOutputFull;
      break;
    }
    CopyMatch(out, static_cast<std::size_t>(out_end - out), distance, length);
    out += length;
  }
  reader_ = reader;
  output_position_ = out;
  return status;
}

InflateResult Inflate(std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
  Inflater inflater;
  return inflater.Run(input, output);
}

}  // namespace rolvi::gfx
