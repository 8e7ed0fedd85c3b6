// Rasterises the printable ASCII characters of an outline font with FreeType, one bit per
// pixel with the font's own hinting, so that they join the bitmap glyphs of the other sources.
#pragma once

#include <string>

#include "font_sources.h"

namespace rolvi::fontgen {

// Glyphs for 0x20..0x7E at `pixels_per_em`, placed on the baseline like the BDF glyphs.
bool RenderOutlineAscii(const std::string& path, int pixels_per_em, GlyphMap& glyphs,
                        std::string& error);

}  // namespace rolvi::fontgen
