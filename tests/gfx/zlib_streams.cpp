#include "gfx/zlib_streams.h"

#include <zlib.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <string>

namespace rolvi::testing {
namespace {

void Feed(z_stream& stream, std::span<const std::uint8_t> data, int flush, Bytes& out) {
  stream.next_in = const_cast<Bytef*>(data.data());
  stream.avail_in = static_cast<uInt>(data.size());
  int status = Z_OK;
  do {
    std::uint8_t chunk[16384];
    stream.next_out = chunk;
    stream.avail_out = sizeof chunk;
    status = deflate(&stream, flush);
    if (status == Z_STREAM_ERROR) throw std::runtime_error("deflate failed");
    out.insert(out.end(), chunk, chunk + (sizeof chunk - stream.avail_out));
  } while (stream.avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END));
}

}  // namespace

Bytes ZlibDeflateChunks(std::span<const DeflateChunk> chunks) {
  if (chunks.empty()) return {};
  z_stream stream{};
  if (deflateInit2(&stream, chunks[0].level, Z_DEFLATED, -15, 8, chunks[0].strategy) != Z_OK) {
    throw std::runtime_error("deflateInit2 failed");
  }
  Bytes out;
  for (std::size_t i = 0; i < chunks.size(); ++i) {
    const DeflateChunk& chunk = chunks[i];
    if (i > 0) {
      // deflateParams may have to emit pending data first; it says so with Z_BUF_ERROR.
      for (;;) {
        std::uint8_t buffer[16384];
        stream.next_in = nullptr;
        stream.avail_in = 0;
        stream.next_out = buffer;
        stream.avail_out = sizeof buffer;
        const int status = deflateParams(&stream, chunk.level, chunk.strategy);
        out.insert(out.end(), buffer, buffer + (sizeof buffer - stream.avail_out));
        if (status == Z_OK) break;
        if (status != Z_BUF_ERROR) throw std::runtime_error("deflateParams failed");
      }
    }
    const bool last = i + 1 == chunks.size();
    Feed(stream, chunk.data, last ? Z_FINISH : chunk.flush, out);
  }
  deflateEnd(&stream);
  return out;
}

Bytes ZlibDeflate(std::span<const std::uint8_t> data, int level, int strategy) {
  const DeflateChunk whole{Bytes(data.begin(), data.end()), level, strategy, Z_FINISH};
  return ZlibDeflateChunks(std::span(&whole, 1));
}

Bytes WordText(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<std::string> words;
  for (int i = 0; i < 800; ++i) {
    std::string word;
    const auto letters = 1 + random() % 10;
    for (unsigned j = 0; j < letters; ++j)
      word += static_cast<char>('a' + random() % 26);
    words.push_back(word);
  }
  Bytes text;
  while (text.size() < size) {
    // Zipf-like: low word numbers are much more frequent.
    const auto rank = (random() % 800) * (random() % 800) / 800;
    const std::string& word = words[rank];
    text.insert(text.end(), word.begin(), word.end());
    text.push_back(random() % 12 == 0 ? '\n' : ' ');
  }
  text.resize(size);
  return text;
}

Bytes RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  Bytes bytes(size);
  for (auto& byte : bytes)
    byte = static_cast<std::uint8_t>(random());
  return bytes;
}

Bytes SkewedBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  Bytes bytes(size);
  for (auto& byte : bytes) {
    unsigned value = 0;
    while (value < 255 && random() % 4 != 0)
      ++value;
    byte = static_cast<std::uint8_t>(value);
  }
  return bytes;
}

Bytes FarRepeats(std::size_t size, std::size_t period, unsigned seed) {
  std::mt19937 random(seed);
  Bytes bytes = RandomBytes(period, seed);
  while (bytes.size() < size) {
    const std::size_t at = bytes.size();
    bytes.push_back(bytes[at - period]);
    if (random() % 4096 == 0) bytes.back() = static_cast<std::uint8_t>(random());
  }
  bytes.resize(size);
  return bytes;
}

Bytes ShadedPicture(int width, int height) {
  const auto w = static_cast<std::size_t>(width);
  Bytes pixels(w * static_cast<std::size_t>(height), 1);
  // Stripes across every seventh band of 16 rows.
  for (int y = 0; y < height; ++y) {
    if ((y / 16) % 7 != 0) continue;
    for (int x = 0; x < width; ++x) {
      pixels[static_cast<std::size_t>(y) * w + static_cast<std::size_t>(x)] =
          static_cast<std::uint8_t>(8 + (x / 4) % 3);
    }
  }
  // Discs shaded from the centre outwards, a little dithered like drawn artwork.
  std::mt19937 random(5);
  const int discs = width * height / 3000 + 1;
  for (int i = 0; i < discs; ++i) {
    const int cx = static_cast<int>(random() % static_cast<unsigned>(width));
    const int cy = static_cast<int>(random() % static_cast<unsigned>(height));
    const int radius = 6 + static_cast<int>(random() % 30);
    const int colour = 16 + 48 * static_cast<int>(random() % 5);
    for (int y = std::max(0, cy - radius); y < std::min(height, cy + radius); ++y) {
      for (int x = std::max(0, cx - radius); x < std::min(width, cx + radius); ++x) {
        const int squared = (x - cx) * (x - cx) + (y - cy) * (y - cy);
        if (squared >= radius * radius) continue;
        const int shade = 40 * squared / (radius * radius) + ((x ^ y) & 1);
        pixels[static_cast<std::size_t>(y) * w + static_cast<std::size_t>(x)] =
            static_cast<std::uint8_t>(colour + shade);
      }
    }
  }
  return pixels;
}

}  // namespace rolvi::testing
