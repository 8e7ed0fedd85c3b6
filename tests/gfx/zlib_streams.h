// zlib as the reference for decoder tests: raw Deflate streams made with chosen levels,
// strategies and flushes, and deterministic sample data of several kinds.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace rolvi::testing {

using Bytes = std::vector<std::uint8_t>;

// One piece of a multi-block stream: the parameters switch before `data` is fed, and the
// chunk ends with `flush` (a zlib flush mode such as Z_SYNC_FLUSH or Z_FULL_FLUSH).
struct DeflateChunk {
  Bytes data;
  int level = 6;
  int strategy = 0;
  int flush = 0;
};

Bytes ZlibDeflate(std::span<const std::uint8_t> data, int level, int strategy = 0);
Bytes ZlibDeflateChunks(std::span<const DeflateChunk> chunks);

// Sample data, the same for every seed on every run.
Bytes WordText(std::size_t size, unsigned seed);
Bytes RandomBytes(std::size_t size, unsigned seed);
// Small byte values far more often than large ones: Huffman codes from 1 to 15 bits.
Bytes SkewedBytes(std::size_t size, unsigned seed);
// A random block of `period` bytes repeated with a few changes: matches `period` bytes back.
Bytes FarRepeats(std::size_t size, std::size_t period, unsigned seed);
// An 8-bit picture: flat background, shaded discs, stripes.
Bytes ShadedPicture(int width, int height);

}  // namespace rolvi::testing
