// The Inflater's bit reader: a 16-bit buffer whose low byte always holds eight unread stream
// bits, refilled one input byte at a time into its high byte. Bytes beyond the end of the
// input read as zeros; whether bits beyond the end were really consumed is asked separately.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace rolvi::gfx {

class BitReader {
 public:
  BitReader() = default;
  explicit BitReader(std::span<const std::uint8_t> input)
      : data_(input.data()), size_(input.size()) {}

  // Loads the two bytes at `position` as the buffer, the first in the low byte.
  void Start(std::size_t position) {
    position_ = position;
    const unsigned low = LoadByte();
    buffer_ = static_cast<std::uint16_t>(low | (LoadByte() << 8));
    high_count_ = 8;
  }

  unsigned TakeBit() {
    const unsigned bit = buffer_ & 1u;
    buffer_ = static_cast<std::uint16_t>(buffer_ >> 1);
    if (--high_count_ == 0) RefillHighByte();
    return bit;
  }

  // Drops n bits, n from 0 to 8.
  void Drop(unsigned n) {
    if (n < high_count_) {
      buffer_ = static_cast<std::uint16_t>(buffer_ >> n);
      high_count_ = static_cast<std::uint8_t>(high_count_ - n);
      return;
    }
    const unsigned rest = n - high_count_;
    buffer_ = static_cast<std::uint16_t>(buffer_ >> high_count_);
    RefillHighByte();
    buffer_ = static_cast<std::uint16_t>(buffer_ >> rest);
    high_count_ = static_cast<std::uint8_t>(8 - rest);
  }

  // Reads an n-bit field, n from 0 to 13, first bit lowest.
  unsigned Read(unsigned n) {
    if (n > 8) {
      const unsigned low = ReadUpTo8(8);
      return low | (ReadUpTo8(n - 8) << 8);
    }
    return ReadUpTo8(n);
  }

  // The next 8 bits, always valid.
  unsigned Peek8() const { return buffer_ & 0xFFu; }

  // The whole buffer; right after AlignToByte() these are the next two stream bytes.
  unsigned Peek16() const { return buffer_; }

  // Bit i (0..7) of the next unread bits, without dropping anything.
  unsigned PeekBit(unsigned i) const { return (buffer_ >> i) & 1u; }

  // Drops the rest of a partly read byte; the buffer then holds the next two whole bytes.
  void AlignToByte() {
    if (high_count_ != 8) Drop(high_count_);
  }

  // Index of the next input byte not yet loaded into the buffer.
  std::size_t position() const { return position_; }

  // True once a bit beyond the last input byte has been consumed.
  bool PastEnd() const {
    const std::uint64_t loaded_bits = std::uint64_t{position_} * 8;
    return loaded_bits - 8 - high_count_ > std::uint64_t{size_} * 8;
  }

  // A cheap test that implies PastEnd(): the reader has loaded a byte that lies so far beyond
  // the input that at least one of its predecessors beyond the end is consumed.
  bool FarPastEnd() const { return position_ > size_ + 2; }

 private:
  std::uint8_t LoadByte() {
    const std::uint8_t byte = position_ < size_ ? data_[position_] : 0;
    ++position_;
    return byte;
  }

  void RefillHighByte() {
    buffer_ = static_cast<std::uint16_t>(buffer_ | (LoadByte() << 8));
    high_count_ = 8;
  }

  unsigned ReadUpTo8(unsigned n) {
    const unsigned value = buffer_ & ((1u << n) - 1u);
    Drop(n);
    return value;
  }

  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t position_ = 0;
  std::uint16_t buffer_ = 0;
  std::uint8_t high_count_ = 8;
};

}  // namespace rolvi::gfx
