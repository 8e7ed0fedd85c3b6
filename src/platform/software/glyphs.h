// GBK text to glyphs of the embedded font: decoding one character at a time with the font's
// own code table (no conversion library at run time), and the face and line height of each
// Font the program draws with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/software/font_data.h"
#include "platform/surface.h"

namespace rolvi::platform {

struct FontMetrics {
  const font_data::Face* face;
  int line_height;
  int ascent;
};

FontMetrics MetricsOf(Font font);

struct GbkChar {
  std::size_t length = 0;  // bytes taken from the text; 0 at its end or at a zero byte
  std::uint16_t code = 0;  // the byte, or lead << 8 | trail for a double-byte character
  bool double_byte = false;
  bool valid = false;  // false for a byte that starts no GBK character
};

// Decodes the character at `position`. A zero byte ends the text, as in the program's
// zero-terminated strings.
GbkChar DecodeGbk(std::string_view text, std::size_t position);

// The glyph that shows `character`: its ASCII or table glyph, or a replacement box.
int GlyphOf(const GbkChar& character);

}  // namespace rolvi::platform
