#include "writers.h"

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace rolvi::artgen {
namespace {

void Put16(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void Put32(Bytes& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void Put32Be(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 24));
  out.push_back(static_cast<std::uint8_t>((v >> 16) & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
}

std::uint32_t RowBytes(int width, int bits) {
  return ((static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bits) + 31) / 32) * 4;
}

// Pixel rows bottom first, packed most significant bits first, padded to four bytes.
void PutPackedRows(Bytes& out, const IndexedImage& image, int bits) {
  const std::uint32_t stride = RowBytes(image.width, bits);
  for (int y = image.height - 1; y >= 0; --y) {
    Bytes row(stride, 0);
    for (int x = 0; x < image.width; ++x) {
      const auto bit = static_cast<std::uint32_t>(x * bits);
      const int shift = 8 - bits - static_cast<int>(bit % 8);
      row[bit / 8] = static_cast<std::uint8_t>(row[bit / 8] | (image.at(x, y) << shift));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

void PutInfoHeader(Bytes& out, int width, int height, int bits, std::uint32_t image_size,
                   std::uint32_t colours_used) {
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(bits));
  Put32(out, 0);
  Put32(out, image_size);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, colours_used);
  Put32(out, 0);
}

void PutColourTable(Bytes& out, const std::vector<Srgb8>& table, std::size_t entries) {
  for (std::size_t i = 0; i < entries; ++i) {
    const Srgb8 c = i < table.size() ? table[i] : Srgb8{};
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
  }
}

void PutChunk(Bytes& out, const char* type, const Bytes& data) {
  Put32Be(out, static_cast<std::uint32_t>(data.size()));
  Bytes body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  Put32Be(out, static_cast<std::uint32_t>(crc32(0L, body.data(), static_cast<uInt>(body.size()))));
}

}  // namespace

Bytes EncodeBmp(const IndexedImage& image, const std::vector<Srgb8>& table, int bits,
                std::uint32_t colours_used) {
  const std::size_t entries = colours_used != 0 ? colours_used : (std::size_t{1} << bits);
  const std::uint32_t image_size =
      RowBytes(image.width, bits) * static_cast<std::uint32_t>(image.height);
  const auto offset = static_cast<std::uint32_t>(14 + 40 + 4 * entries);
  Bytes out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + image_size);
  Put32(out, 0);
  Put32(out, offset);
  PutInfoHeader(out, image.width, image.height, bits, image_size, colours_used);
  PutColourTable(out, table, entries);
  PutPackedRows(out, image, bits);
  return out;
}

Bytes EncodeIco16(const IndexedImage& image, const std::vector<Srgb8>& table,
                  const std::vector<bool>& transparent) {
  const std::uint32_t xor_size =
      RowBytes(image.width, 4) * static_cast<std::uint32_t>(image.height);
  const std::uint32_t and_size =
      RowBytes(image.width, 1) * static_cast<std::uint32_t>(image.height);
  const std::uint32_t dib_size = 40 + 16 * 4 + xor_size + and_size;
  Bytes out;
  Put16(out, 0);  // reserved
  Put16(out, 1);  // icon
  Put16(out, 1);  // one image
  out.push_back(static_cast<std::uint8_t>(image.width));
  out.push_back(static_cast<std::uint8_t>(image.height));
  out.push_back(16);  // colours
  out.push_back(0);
  Put16(out, 1);  // planes
  Put16(out, 4);  // bits
  Put32(out, dib_size);
  Put32(out, 6 + 16);
  // The icon's DIB counts the XOR and AND halves in its height.
  PutInfoHeader(out, image.width, image.height * 2, 4, xor_size + and_size, 0);
  PutColourTable(out, table, 16);
  PutPackedRows(out, image, 4);
  IndexedImage mask{image.width, image.height, std::vector<std::uint8_t>(image.indices.size())};
  for (std::size_t i = 0; i < mask.indices.size() && i < transparent.size(); ++i) {
    mask.indices[i] = transparent[i] ? 1 : 0;
  }
  PutPackedRows(out, mask, 1);
  return out;
}

namespace {

// PNG's Paeth predictor: whichever of left, up and upper left is nearest to left + up - upper left.
int Paeth(int left, int up, int upper_left) {
  const int estimate = left + up - upper_left;
  const int to_left = std::abs(estimate - left);
  const int to_up = std::abs(estimate - up);
  const int to_upper_left = std::abs(estimate - upper_left);
  if (to_left <= to_up && to_left <= to_upper_left) return left;
  return to_up <= to_upper_left ? up : upper_left;
}

// Appends one row filtered with PNG filter `type` (0 none, 1 sub, 2 up, 3 average, 4 Paeth);
// `previous` is the row above (zeros for the first row).
void PutFilteredRow(Bytes& out, int type, const std::uint8_t* row, const std::uint8_t* previous,
                    std::size_t stride) {
  out.push_back(static_cast<std::uint8_t>(type));
  for (std::size_t i = 0; i < stride; ++i) {
    const int left = i >= 4 ? row[i - 4] : 0;
    const int up = previous[i];
    const int upper_left = i >= 4 ? previous[i - 4] : 0;
    int predicted = 0;
    switch (type) {
      case 1:
        predicted = left;
        break;
      case 2:
        predicted = up;
        break;
      case 3:
        predicted = (left + up) / 2;
        break;
      case 4:
        predicted = Paeth(left, up, upper_left);
        break;
      default:
        break;
    }
    out.push_back(static_cast<std::uint8_t>(row[i] - predicted));
  }
}

// The row filtered by the type whose bytes, read as signed differences, sum smallest.
void PutBestRow(Bytes& out, const std::uint8_t* row, const std::uint8_t* previous,
                std::size_t stride) {
  Bytes best;
  long best_cost = -1;
  for (int type = 0; type <= 4; ++type) {
    Bytes candidate;
    PutFilteredRow(candidate, type, row, previous, stride);
    long cost = 0;
    for (std::size_t i = 1; i < candidate.size(); ++i) {
      cost += std::abs(static_cast<int>(static_cast<std::int8_t>(candidate[i])));
    }
    if (best_cost < 0 || cost < best_cost) {
      best_cost = cost;
      best = std::move(candidate);
    }
  }
  out.insert(out.end(), best.begin(), best.end());
}

}  // namespace

Bytes EncodePngRgba(int width, int height, const std::vector<std::uint8_t>& rgba, PngRows rows) {
  Bytes raw;
  const auto stride = static_cast<std::size_t>(width) * 4;
  const Bytes zeros(stride, 0);
  for (int y = 0; y < height; ++y) {
    const auto* row = rgba.data() + static_cast<std::size_t>(y) * stride;
    if (rows == PngRows::kFiltered) {
      PutBestRow(raw, row, y > 0 ? row - stride : zeros.data(), stride);
      continue;
    }
    raw.push_back(0);  // no filter
    raw.insert(raw.end(), row, row + stride);
  }
  uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
  Bytes packed(packed_size);
  compress2(packed.data(), &packed_size, raw.data(), static_cast<uLong>(raw.size()), 9);
  packed.resize(packed_size);

  Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  Bytes header;
  Put32Be(header, static_cast<std::uint32_t>(width));
  Put32Be(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", packed);
  PutChunk(out, "IEND", {});
  return out;
}

Bytes EncodePng(const Image& image, bool with_alpha, PngRows rows) {
  std::vector<std::uint8_t> rgba;
  rgba.reserve(static_cast<std::size_t>(image.width * image.height) * 4);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const Srgb8 c = ToSrgb8(image.at(x, y));
      const float a = with_alpha ? Clamp01(image.alpha_at(x, y)) : 1.f;
      rgba.insert(rgba.end(), {c.r, c.g, c.b, static_cast<std::uint8_t>(a * 255.f + 0.5f)});
    }
  }
  return EncodePngRgba(image.width, image.height, rgba, rows);
}

Bytes EncodeIndexedPng(const IndexedImage& image, const std::vector<Srgb8>& palette, int zoom) {
  const int w = image.width * zoom;
  const int h = image.height * zoom;
  std::vector<std::uint8_t> rgba;
  rgba.reserve(static_cast<std::size_t>(w * h) * 4);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const Srgb8 c = palette[image.at(x / zoom, y / zoom)];
      rgba.insert(rgba.end(), {c.r, c.g, c.b, 255});
    }
  }
  return EncodePngRgba(w, h, rgba);
}

Bytes DeflateRaw(const Bytes& data) {
  z_stream stream{};
  deflateInit2(&stream, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
  Bytes out(deflateBound(&stream, static_cast<uLong>(data.size())));
  stream.next_in = const_cast<Bytef*>(data.data());
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

bool WriteFile(const std::string& path, const Bytes& data) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool ok = std::fwrite(data.data(), 1, data.size(), file) == data.size();
  return std::fclose(file) == 0 && ok;
}

}  // namespace rolvi::artgen
