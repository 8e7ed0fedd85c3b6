// File formats written by the artwork generator: uncompressed BMP files with a colour table
// (8, 4 and 1 bits per pixel), a 16-colour ICO, a truecolour PNG and a raw Deflate stream.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "raster.h"

namespace rolvi::artgen {

using Bytes = std::vector<std::uint8_t>;

// An indexed picture: one palette index per pixel, rows top first.
struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> indices;

  std::uint8_t at(int x, int y) const { return indices[static_cast<std::size_t>(y * width + x)]; }
  std::uint8_t& at(int x, int y) { return indices[static_cast<std::size_t>(y * width + x)]; }
};

// A BMP file with a 40-byte info header, the colour table right after it and the pixel rows
// bottom row first, each padded to four bytes. `bits` is 8, 4 or 1. `colours_used` 0 means a
// full table of 1 << bits entries.
Bytes EncodeBmp(const IndexedImage& image, const std::vector<Srgb8>& table, int bits,
                std::uint32_t colours_used);

// A one-image ICO: 4 bits per pixel with a 16-entry table; `transparent` (one flag per
// pixel, rows top first) sets the AND mask, and those pixels should hold a black entry.
Bytes EncodeIco16(const IndexedImage& image, const std::vector<Srgb8>& table,
                  const std::vector<bool>& transparent);

// How the rows of a PNG are filtered before compression: not at all, or each row with the
// filter that leaves it the smallest sum of differences (smaller files of smooth pictures).
enum class PngRows { kUnfiltered, kFiltered };

// An 8-bit RGBA PNG, straight alpha. Pixels are row-major, four bytes each.
Bytes EncodePngRgba(int width, int height, const std::vector<std::uint8_t>& rgba,
                    PngRows rows = PngRows::kUnfiltered);
// An image's colours (and its alpha when `with_alpha`) as a PNG.
Bytes EncodePng(const Image& image, bool with_alpha, PngRows rows = PngRows::kUnfiltered);
// An indexed image through its palette as an opaque PNG, enlarged `zoom` times (nearest).
Bytes EncodeIndexedPng(const IndexedImage& image, const std::vector<Srgb8>& palette, int zoom);

// Raw Deflate (no zlib header or checksum) at the best compression level.
Bytes DeflateRaw(const Bytes& data);

bool WriteFile(const std::string& path, const Bytes& data);

}  // namespace rolvi::artgen
