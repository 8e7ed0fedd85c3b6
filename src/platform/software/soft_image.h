// Bitmaps and palettes of the software surface: true-colour pictures (0x00RRGGBB per pixel)
// decoded from 1-, 4- and 8-bit DIBs, and palettes that only keep their entries.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/surface.h"

namespace rolvi::platform {

inline constexpr std::uint32_t PackRgb(Rgb colour) {
  return std::uint32_t{colour.red} << 16 | std::uint32_t{colour.green} << 8 | colour.blue;
}

inline constexpr Rgb UnpackRgb(std::uint32_t pixel) {
  return {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
          static_cast<std::uint8_t>(pixel)};
}

class SoftImage final : public Image {
 public:
  // `pixels` holds width * height values, top row first; a size mismatch gives an empty image.
  SoftImage(int width, int height, std::vector<std::uint32_t> pixels);

  // Decodes an uncompressed 1-, 4- or 8-bit DIB through its colour table. Returns null for a
  // malformed one (short spans, bad sizes, other depths or compressions); reads nothing
  // outside the spans. Pixel indices past the colour table come out black.
  static std::unique_ptr<SoftImage> FromDib(const DibView& dib);

  Size size() const override { return {width_, height_}; }
  int width() const { return width_; }
  int height() const { return height_; }
  std::span<const std::uint32_t> pixels() const { return pixels_; }
  // The pixel at (x, y); the caller keeps inside the image.
  std::uint32_t pixel(int x, int y) const {
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

class SoftPalette final : public Palette {
 public:
  explicit SoftPalette(std::span<const PaletteEntry> entries)
      : entries_(entries.begin(), entries.end()) {}
  std::span<const PaletteEntry> entries() const { return entries_; }

 private:
  std::vector<PaletteEntry> entries_;
};

}  // namespace rolvi::platform
