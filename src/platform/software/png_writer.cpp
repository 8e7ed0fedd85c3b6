#include "platform/software/png_writer.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace rolvi::platform {
namespace {

constexpr std::size_t kStoredBlockLimit = 65535;

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k)
      c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value >> 24));
  out.push_back(static_cast<std::uint8_t>(value >> 16));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
  out.push_back(static_cast<std::uint8_t>(value));
}

void PutChunk(std::vector<std::uint8_t>& out, const char (&type)[5],
              std::span<const std::uint8_t> data) {
  PutU32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t type_at = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutU32(out, Crc32(std::span(out).subspan(type_at)));
}

// A zlib stream of stored Deflate blocks: no compression, so no Huffman coding is needed.
std::vector<std::uint8_t> StoredZlib(std::span<const std::uint8_t> raw) {
  std::vector<std::uint8_t> out{0x78, 0x01};
  std::size_t offset = 0;
  do {
    const std::size_t length = std::min(kStoredBlockLimit, raw.size() - offset);
    const bool last = offset + length == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<std::uint8_t>(length));
    out.push_back(static_cast<std::uint8_t>(length >> 8));
    out.push_back(static_cast<std::uint8_t>(~length));
    out.push_back(static_cast<std::uint8_t>(~length >> 8));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(offset),
               raw.begin() + static_cast<std::ptrdiff_t>(offset + length));
    offset += length;
  } while (offset < raw.size());
  PutU32(out, Adler32(raw));
  return out;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc) {
  crc = ~crc;
  for (const std::uint8_t byte : bytes)
    crc = kCrcTable[(crc ^ byte) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes) {
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (const std::uint8_t byte : bytes) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return b << 16 | a;
}

std::vector<std::uint8_t> EncodePng(std::span<const std::uint32_t> pixels, int width, int height,
                                    int stride) {
  if (width <= 0 || height <= 0 || stride < width) return {};
  const auto w = static_cast<std::size_t>(width);
  const auto h = static_cast<std::size_t>(height);
  const auto s = static_cast<std::size_t>(stride);
  if ((h - 1) * s + w > pixels.size()) return {};

  // Each row: filter type 0, then red, green, blue per pixel.
  std::vector<std::uint8_t> raw;
  raw.reserve(h * (1 + 3 * w));
  for (std::size_t y = 0; y < h; ++y) {
    raw.push_back(0);
    for (std::size_t x = 0; x < w; ++x) {
      const std::uint32_t pixel = pixels[y * s + x];
      raw.push_back(static_cast<std::uint8_t>(pixel >> 16));
      raw.push_back(static_cast<std::uint8_t>(pixel >> 8));
      raw.push_back(static_cast<std::uint8_t>(pixel));
    }
  }

  std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutU32(header, static_cast<std::uint32_t>(width));
  PutU32(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, truecolour, deflate, no interlace
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", StoredZlib(raw));
  PutChunk(out, "IEND", {});
  return out;
}

std::vector<std::uint8_t> EncodePng(const SoftSurface& surface, const Rect& region) {
  const Rect cut{std::max(region.left, 0), std::max(region.top, 0),
                 std::min(region.right, surface.width()),
                 std::min(region.bottom, surface.height())};
  if (cut.right <= cut.left || cut.bottom <= cut.top) return {};
  const auto first = static_cast<std::size_t>(cut.top) * static_cast<std::size_t>(surface.width()) +
                     static_cast<std::size_t>(cut.left);
  return EncodePng(surface.pixels().subspan(first), cut.width(), cut.height(), surface.width());
}

bool SavePng(const SoftSurface& surface, const Rect& region, const std::string& path) {
  const std::vector<std::uint8_t> bytes = EncodePng(surface, region);
  if (bytes.empty()) return false;
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace rolvi::platform
