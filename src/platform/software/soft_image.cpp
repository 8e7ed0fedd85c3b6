#include "platform/software/soft_image.h"

#include <array>
#include <cstddef>

#include "platform/dib_layout.h"

namespace rolvi::platform {

SoftImage::SoftImage(int width, int height, std::vector<std::uint32_t> pixels) {
  if (width > 0 && height > 0 &&
      pixels.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    width_ = width;
    height_ = height;
    pixels_ = std::move(pixels);
  }
}

std::unique_ptr<SoftImage> SoftImage::FromDib(const DibView& dib) {
  const std::optional<DibLayout> read = ReadDibLayout(dib);
  if (!read) return nullptr;
  const DibLayout& layout = *read;

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
    if (bits == 8) {  // the sprite sheet: one byte, one colour
      for (std::size_t x = 0; x < width; ++x)
        target[x] = table[source[x]];
      continue;
    }
    for (std::size_t x = 0; x < width; ++x) {
      const std::uint8_t byte = source[x / static_cast<std::size_t>(per_byte)];
      const int shift = 8 - bits * (static_cast<int>(x % static_cast<std::size_t>(per_byte)) + 1);
      target[x] = table[(byte >> shift) & mask];
    }
  }
  return std::make_unique<SoftImage>(layout.width, layout.height, std::move(pixels));
}

}  // namespace rolvi::platform
