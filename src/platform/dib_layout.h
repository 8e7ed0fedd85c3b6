// How the pixels of a device-independent bitmap are laid out, read from its info header and
// checked against the spans that hold it, so that no back end reads outside a malformed one;
// and where header and pixels start in a BMP file and in a packed DIB.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/surface.h"

namespace rolvi::platform {

// The fields of a BITMAPINFOHEADER that decide how the pixels are read.
struct DibLayout {
  std::size_t header_size = 0;  // the info header alone; the colour table follows it
  int width = 0;
  int height = 0;  // rows, always positive
  bool top_down = false;
  int bits_per_pixel = 0;
  std::size_t colours = 0;  // entries of the colour table, at most 1 << bits_per_pixel
  std::size_t stride = 0;   // bytes per stored row, a multiple of 4
};

// The layout of an uncompressed 1-, 4- or 8-bit DIB whose header, colour table and pixel rows
// all lie inside `dib`; nothing for any other.
std::optional<DibLayout> ReadDibLayout(const DibView& dib);

// A BMP file's info header with its colour table, and its pixel rows; empty views when the
// file is too short or its pixel offset lies outside it.
DibView DibFromBitmapFile(std::span<const std::uint8_t> file);

// A packed DIB, as a bitmap resource holds it (info header, colour table and rows in one
// block), split after its colour table; empty views when it is not a 1-, 4- or 8-bit DIB
// whose header and colour table fit in it.
DibView DibFromPackedDib(std::span<const std::uint8_t> packed);

}  // namespace rolvi::platform
