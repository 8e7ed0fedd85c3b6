// Readers for the bitmap font files the embedded font is cut from: GNU Unifont's .hex format
// and X11 BDF. Each yields glyphs as rows of pixels placed on a common baseline.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace rolvi::fontgen {

// One glyph: `rows` holds one bit mask per pixel row from the top of the glyph box, bit 15 the
// leftmost pixel; `top` is how many rows of the box lie above the baseline.
struct SourceGlyph {
  int advance = 0;
  int top = 0;
  std::vector<std::uint16_t> rows;
};

using GlyphMap = std::map<char32_t, SourceGlyph>;

// Unifont: every glyph is 16 rows, 8 or 16 pixels wide, 14 rows above the baseline.
bool ReadUnifontHex(const std::string& path, GlyphMap& glyphs, std::string& error);

// BDF: glyphs by their ENCODING (Unicode for an ISO10646 font), at their BBX offsets.
bool ReadBdf(const std::string& path, GlyphMap& glyphs, std::string& error);

}  // namespace rolvi::fontgen
