// How the pixels of a device-independent bitmap are laid out, read from its info header and
// checked against the spans that hold it, so that no back end reads outside a malformed one.
#pragma once

#include <cstddef>
#include <optional>

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

}  // namespace rolvi::platform
