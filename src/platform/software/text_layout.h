// Breaking GBK text into the lines that DrawText shows: mnemonic markers, line breaks, and
// word wrapping at blanks and between Chinese characters. Works on positions in the caller's
// text, so drawing needs no memory of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/software/glyphs.h"
#include "platform/surface.h"

namespace rolvi::platform {

// One shown character of the text (or a line break, or a marker that shows nothing).
struct TextItem {
  std::size_t length = 0;  // bytes, mnemonic marker included; 0 at the end of the text
  int glyph = -1;          // -1: nothing drawn
  int advance = 0;
  bool underline = false;
  bool blank = false;
  bool line_break = false;
  bool double_byte = false;
  std::uint16_t code = 0;
};

TextItem NextTextItem(std::string_view text, std::size_t position, const FontMetrics& font,
                      bool mnemonics);

struct TextLine {
  std::size_t begin = 0;
  std::size_t end = 0;   // items from begin up to end are drawn
  std::size_t next = 0;  // where the following line starts
  int width = 0;
};

// The line starting at `begin`. With word wrap, a line ends at the last blank or the last
// boundary next to a Chinese character that keeps it within `max_width`; blanks at such a
// break are dropped, and a word wider than the whole line is cut between its characters.
TextLine NextTextLine(std::string_view text, std::size_t begin, const FontMetrics& font,
                      const TextFormat& format, int max_width);

// Width of the whole text as one line.
int SingleLineWidth(std::string_view text, const FontMetrics& font, bool mnemonics);

}  // namespace rolvi::platform
