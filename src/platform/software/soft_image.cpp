#include "platform/software/soft_image.h"

#include <array>
#include <cstddef>

namespace rolvi::platform {
namespace {

constexpr std::size_t kInfoHeaderSize = 40;

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

// The fields of a BITMAPINFOHEADER that decide how the pixels are read.
struct DibLayout {
  std::size_t header_size = 0;
  int width = 0;
  int height = 0;
  bool top_down = false;
  int bits_per_pixel = 0;
  std::size_t colours = 0;
  std::size_t stride = 0;
};

bool ReadLayout(std::span<const std::uint8_t> header, DibLayout& layout) {
  if (header.size() < kInfoHeaderSize) return false;
  const std::uint32_t header_size = ReadU32(header, 0);
  const std::int32_t width = ReadI32(header, 4);
  const std::int32_t height = ReadI32(header, 8);
  const std::uint16_t planes = ReadU16(header, 12);
  const std::uint16_t bits = ReadU16(header, 14);
  const std::uint32_t compression = ReadU32(header, 16);
  const std::uint32_t colours_used = ReadU32(header, 32);
  if (header_size < kInfoHeaderSize || header_size > header.size()) return false;
  if (width <= 0 || height == 0 || height == INT32_MIN || planes != 1 || compression != 0) {
    return false;
  }
  if (bits != 1 && bits != 4 && bits != 8) return false;
  const std::uint32_t table_size = std::uint32_t{1} << bits;
  layout.header_size = header_size;
  layout.width = width;
  layout.height = height < 0 ? -height : height;
  layout.top_down = height < 0;
  layout.bits_per_pixel = bits;
  layout.colours = colours_used == 0 || colours_used > table_size ? table_size : colours_used;
  if (header.size() - header_size < layout.colours * 4) return false;
  const std::uint64_t row_bits = std::uint64_t{static_cast<std::uint32_t>(width)} * bits;
  layout.stride = static_cast<std::size_t>((row_bits + 31) / 32 * 4);
  return true;
}

}  // namespace

SoftImage::SoftImage(int width, int height, std::vector<std::uint32_t> pixels) {
  if (width > 0 && height > 0 &&
      pixels.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    width_ = width;
    height_ = height;
    pixels_ = std::move(pixels);
  }
}

std::unique_ptr<SoftImage> SoftImage::FromDib(const DibView& dib) {
  DibLayout layout;
  if (!ReadLayout(dib.header, layout)) return nullptr;
  const std::uint64_t needed =
      std::uint64_t{layout.stride} * static_cast<std::uint64_t>(layout.height);
  if (needed > dib.bits.size()) return nullptr;

  std::array<std::uint32_t, 256> table{};  // indices past the table stay black
  for (std::size_t i = 0; i < layout.colours; ++i) {
    const std::size_t entry = layout.header_size + 4 * i;
    table[i] = PackRgb({dib.header[entry + 2], dib.header[entry + 1], dib.header[entry]});
  }

  const auto width = static_cast<std::size_t>(layout.width);
  const auto height = static_cast<std::size_t>(layout.height);
  std::vector<std::uint32_t> pixels(width * height);
  const int bits = layout.bits_per_pixel;
  const unsigned mask = (1u << bits) - 1;
  const int per_byte = 8 / bits;
  for (std::size_t row = 0; row < height; ++row) {
    const std::size_t stored_row = layout.top_down ? row : height - 1 - row;
    const std::uint8_t* source = dib.bits.data() + stored_row * layout.stride;
    std::uint32_t* target = pixels.data() + row * width;
    for (std::size_t x = 0; x < width; ++x) {
      const std::uint8_t byte = source[x / static_cast<std::size_t>(per_byte)];
      const int shift = 8 - bits * (static_cast<int>(x % static_cast<std::size_t>(per_byte)) + 1);
      target[x] = table[(byte >> shift) & mask];
    }
  }
  return std::make_unique<SoftImage>(layout.width, layout.height, std::move(pixels));
}

}  // namespace rolvi::platform
