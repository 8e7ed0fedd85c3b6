#include "platform/software/icon_file.h"

#include <array>
#include <cstring>

#include "platform/software/soft_image.h"

namespace rolvi::platform {
namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kMaxColourTable = 256 * 4;

std::uint32_t Le(std::span<const std::uint8_t> bytes, std::size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i)
    value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

}  // namespace

std::optional<IconPicture> ReadIconFile(std::span<const std::uint8_t> file) {
  if (file.size() < kDirectorySize + kEntrySize) return std::nullopt;
  if (Le(file, 0, 2) != 0 || Le(file, 2, 2) != 1 || Le(file, 4, 2) == 0) return std::nullopt;
  const std::size_t size = Le(file, kDirectorySize + 8, 4);
  const std::size_t offset = Le(file, kDirectorySize + 12, 4);
  if (offset > file.size() || size > file.size() - offset || size < kInfoHeaderSize) {
    return std::nullopt;
  }
  const std::span<const std::uint8_t> picture = file.subspan(offset, size);

  // The stored header counts the colour rows and the mask rows together: halve its height.
  const int width = static_cast<int>(Le(picture, 4, 4));
  const int stored_height = static_cast<int>(Le(picture, 8, 4));
  const int bits = static_cast<int>(Le(picture, 14, 2));
  if (width <= 0 || width > 256 || stored_height <= 0 || stored_height % 2 != 0)
    return std::nullopt;
  if (bits != 1 && bits != 4 && bits != 8) return std::nullopt;
  const int height = stored_height / 2;
  std::size_t colours = Le(picture, 32, 4);
  if (colours == 0) colours = std::size_t{1} << bits;
  const std::size_t header_size = kInfoHeaderSize + 4 * colours;
  if (header_size > kInfoHeaderSize + kMaxColourTable || header_size > picture.size()) {
    return std::nullopt;
  }
  std::array<std::uint8_t, kInfoHeaderSize + kMaxColourTable> header{};
  std::memcpy(header.data(), picture.data(), header_size);
  for (int i = 0; i < 4; ++i)
    header[8 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(height >> (8 * i));

  const std::size_t colour_stride =
      (static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32 * 4;
  const std::size_t mask_stride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
  const std::size_t colour_bytes = colour_stride * static_cast<std::size_t>(height);
  const std::size_t mask_bytes = mask_stride * static_cast<std::size_t>(height);
  if (picture.size() - header_size < colour_bytes + mask_bytes) return std::nullopt;
  const std::span<const std::uint8_t> bits_span = picture.subspan(header_size, colour_bytes);
  const std::span<const std::uint8_t> mask =
      picture.subspan(header_size + colour_bytes, mask_bytes);

  const auto image =
      SoftImage::FromDib({.header = {header.data(), header_size}, .bits = bits_span});
  if (!image) return std::nullopt;
  IconPicture icon{width, height, {}};
  icon.argb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    // The mask's rows are stored bottom first, like the colour rows.
    const std::size_t mask_row = static_cast<std::size_t>(height - 1 - y) * mask_stride;
    for (int x = 0; x < width; ++x) {
      const bool transparent =
          (mask[mask_row + static_cast<std::size_t>(x / 8)] >> (7 - x % 8)) & 1;
      const std::uint32_t alpha = transparent ? 0u : 0xFF000000u;
      icon.argb[static_cast<std::size_t>(y * width + x)] = alpha | image->pixel(x, y);
    }
  }
  return icon;
}

}  // namespace rolvi::platform
