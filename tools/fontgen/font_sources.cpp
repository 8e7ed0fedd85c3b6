#include "font_sources.h"

#include <fstream>
#include <sstream>

namespace rolvi::fontgen {
namespace {

constexpr int kUnifontAscent = 14;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool ParseHexBytes(const std::string& text, std::vector<std::uint8_t>& bytes) {
  if (text.size() % 2 != 0) return false;
  bytes.clear();
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int high = HexDigit(text[i]);
    const int low = HexDigit(text[i + 1]);
    if (high < 0 || low < 0) return false;
    bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
  }
  return true;
}

}  // namespace

bool ReadUnifontHex(const std::string& path, GlyphMap& glyphs, std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot open " + path;
    return false;
  }
  std::string line;
  std::vector<std::uint8_t> bytes;
  while (std::getline(in, line)) {
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    const char32_t code = static_cast<char32_t>(std::stoul(line.substr(0, colon), nullptr, 16));
    if (!ParseHexBytes(line.substr(colon + 1), bytes)) continue;
    SourceGlyph glyph;
    glyph.top = kUnifontAscent;
    if (bytes.size() == 16) {
      glyph.advance = 8;
      for (const std::uint8_t row : bytes)
        glyph.rows.push_back(static_cast<std::uint16_t>(row << 8));
    } else if (bytes.size() == 32) {
      glyph.advance = 16;
      for (std::size_t i = 0; i < 32; i += 2) {
        glyph.rows.push_back(static_cast<std::uint16_t>(bytes[i] << 8 | bytes[i + 1]));
      }
    } else {
      continue;
    }
    glyphs[code] = std::move(glyph);
  }
  return true;
}

bool ReadBdf(const std::string& path, GlyphMap& glyphs, std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot open " + path;
    return false;
  }
  std::string line;
  long encoding = -1;
  int advance = 0;
  int box_width = 0;
  int box_height = 0;
  int box_x = 0;
  int box_y = 0;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string keyword;
    words >> keyword;
    if (keyword == "ENCODING") {
      words >> encoding;
    } else if (keyword == "DWIDTH") {
      words >> advance;
    } else if (keyword == "BBX") {
      words >> box_width >> box_height >> box_x >> box_y;
    } else if (keyword == "BITMAP") {
      SourceGlyph glyph;
      glyph.advance = advance;
      glyph.top = box_y + box_height;
      std::vector<std::uint8_t> bytes;
      for (int row = 0; row < box_height && std::getline(in, line); ++row) {
        if (!ParseHexBytes(line, bytes) || bytes.empty()) {
          error = "bad bitmap row in " + path;
          return false;
        }
        std::uint32_t bits = 0;
        for (std::size_t i = 0; i < bytes.size() && i < 4; ++i)
          bits |= std::uint32_t{bytes[i]} << (24 - 8 * i);
        // Shift the box to its x offset within the advance; pixels left of 0 or past 16 drop.
        if (box_x >= 0) {
          bits >>= box_x;
        } else {
          bits <<= -box_x;
        }
        glyph.rows.push_back(static_cast<std::uint16_t>(bits >> 16));
      }
      if (encoding >= 0) glyphs[static_cast<char32_t>(encoding)] = std::move(glyph);
      encoding = -1;
    }
  }
  return true;
}

}  // namespace rolvi::fontgen
