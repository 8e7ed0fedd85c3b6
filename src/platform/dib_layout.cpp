#include "platform/dib_layout.h"

#include <cstdint>

namespace rolvi::platform {
namespace {

constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kFileHeaderSize = 14;

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return std::uint32_t{bytes[offset]} | std::uint32_t{bytes[offset + 1]} << 8 |
         std::uint32_t{bytes[offset + 2]} << 16 | std::uint32_t{bytes[offset + 3]} << 24;
}

std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

std::int32_t ReadI32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::int32_t>(ReadU32(bytes, offset));
}

// Entries of the colour table: biClrUsed, or the full table when it is 0 or too large.
std::size_t ColourCount(std::uint16_t bits, std::uint32_t colours_used) {
  const std::uint32_t table_size = std::uint32_t{1} << bits;
  return colours_used == 0 || colours_used > table_size ? table_size : colours_used;
}

}  // namespace

std::optional<DibLayout> ReadDibLayout(const DibView& dib) {
  const std::span<const std::uint8_t> header = dib.header;
  if (header.size() < kInfoHeaderSize) return std::nullopt;
  const std::uint32_t header_size = ReadU32(header, 0);
  const std::int32_t width = ReadI32(header, 4);
  const std::int32_t height = ReadI32(header, 8);
  const std::uint16_t planes = ReadU16(header, 12);
  const std::uint16_t bits = ReadU16(header, 14);
  const std::uint32_t compression = ReadU32(header, 16);
  const std::uint32_t colours_used = ReadU32(header, 32);
  if (header_size < kInfoHeaderSize || header_size > header.size()) return std::nullopt;
  if (width <= 0 || height == 0 || height == INT32_MIN || planes != 1 || compression != 0) {
    return std::nullopt;
  }
  if (bits != 1 && bits != 4 && bits != 8) return std::nullopt;

  DibLayout layout;
  layout.header_size = header_size;
  layout.width = width;
  layout.height = height < 0 ? -height : height;
  layout.top_down = height < 0;
  layout.bits_per_pixel = bits;
  layout.colours = ColourCount(bits, colours_used);
  if (header.size() - header_size < layout.colours * 4) return std::nullopt;
  const std::uint64_t row_bits = std::uint64_t{static_cast<std::uint32_t>(width)} * bits;
  layout.stride = static_cast<std::size_t>((row_bits + 31) / 32 * 4);
  const std::uint64_t needed =
      std::uint64_t{layout.stride} * static_cast<std::uint64_t>(layout.height);
  if (needed > dib.bits.size()) return std::nullopt;
  return layout;
}

DibView DibFromBitmapFile(std::span<const std::uint8_t> file) {
  if (file.size() < kFileHeaderSize) return {};
  const std::size_t pixels = ReadU32(file, 10);
  if (pixels <= kFileHeaderSize || pixels >= file.size()) return {};
  return {.header = file.subspan(kFileHeaderSize, pixels - kFileHeaderSize),
          .bits = file.subspan(pixels)};
}

DibView DibFromPackedDib(std::span<const std::uint8_t> packed) {
  if (packed.size() < kInfoHeaderSize) return {};
  const std::uint32_t header_size = ReadU32(packed, 0);
  const std::uint16_t bits = ReadU16(packed, 14);
  if (header_size < kInfoHeaderSize || header_size >= packed.size()) return {};
  if (bits != 1 && bits != 4 && bits != 8) return {};
  const std::size_t table_end = header_size + ColourCount(bits, ReadU32(packed, 32)) * 4;
  if (table_end >= packed.size()) return {};
  return {.header = packed.first(table_end), .bits = packed.subspan(table_end)};
}

}  // namespace rolvi::platform
