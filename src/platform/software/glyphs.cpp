#include "platform/software/glyphs.h"

#include <algorithm>

namespace rolvi::platform {

FontMetrics MetricsOf(Font font) {
  const font_data::Face* face = &font_data::Face16();
  switch (font) {
    case Font::kMain:
      break;
    case Font::kNamePlate:
      face = &font_data::FaceNarrow();
      break;
    case Font::kDialog:
      // A small proportional sans-serif face, as a classic desktop draws its dialogs.
      face = &font_data::FaceSans();
      break;
    case Font::kList16:
    case Font::kList18:
      // Its condensed cut: narrow digits keep a statistics row with three numbers inside
      // its window, and a records row of thirteen capitals clear of its score.
      face = &font_data::FaceList();
      break;
  }
  return {face, face->line_height, face->ascent};
}

GbkChar DecodeGbk(std::string_view text, std::size_t position) {
  GbkChar result;
  if (position >= text.size() || text[position] == '\0') return result;
  const auto lead = static_cast<unsigned char>(text[position]);
  result.length = 1;
  result.code = lead;
  if (lead < 0x80) {
    result.valid = true;
    return result;
  }
  if (lead == 0x80 || lead == 0xFF || position + 1 >= text.size()) return result;
  const auto trail = static_cast<unsigned char>(text[position + 1]);
  if (trail < 0x40 || trail == 0x7F || trail == 0xFF) return result;
  result.length = 2;
  result.code = static_cast<std::uint16_t>(lead << 8 | trail);
  result.double_byte = true;
  result.valid = true;
  return result;
}

int GlyphOf(const GbkChar& character) {
  if (!character.valid) return font_data::kNarrowReplacement;
  if (!character.double_byte) {
    if (character.code >= 0x20 && character.code < 0x7F) {
      return font_data::kFirstAscii + character.code - 0x20;
    }
    return font_data::kNarrowReplacement;
  }
  const auto codes = font_data::GbkCodes();
  const auto found = std::lower_bound(codes.begin(), codes.end(), character.code);
  if (found == codes.end() || *found != character.code) return font_data::kWideReplacement;
  return font_data::kFirstDoubleByte + static_cast<int>(found - codes.begin());
}

}  // namespace rolvi::platform
