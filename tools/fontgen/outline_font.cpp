#include "outline_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H

namespace rolvi::fontgen {
namespace {

// Owns the FreeType library and one face.
class FreeTypeFace {
 public:
  FreeTypeFace(const std::string& path, std::string& error) {
    if (FT_Init_FreeType(&library_) != 0) {
      library_ = nullptr;
      error = "FreeType does not start";
      return;
    }
    // The classic TrueType hinter snaps stems and advances to whole pixels in both
    // directions, which is what a one-bit rendering needs; newer hinters only align rows.
    FT_UInt classic = TT_INTERPRETER_VERSION_35;
    FT_Property_Set(library_, "truetype", "interpreter-version", &classic);
    if (FT_New_Face(library_, path.c_str(), 0, &face_) != 0) {
      face_ = nullptr;
      error = "cannot open " + path;
    }
  }
  ~FreeTypeFace() {
    if (face_ != nullptr) FT_Done_Face(face_);
    if (library_ != nullptr) FT_Done_FreeType(library_);
  }
  FreeTypeFace(const FreeTypeFace&) = delete;
  FreeTypeFace& operator=(const FreeTypeFace&) = delete;

  FT_Face get() const { return face_; }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

}  // namespace

bool RenderOutlineAscii(const std::string& path, int pixels_per_em, GlyphMap& glyphs,
                        std::string& error) {
  const FreeTypeFace font(path, error);
  FT_Face face = font.get();
  if (face == nullptr) return false;
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels_per_em)) != 0) {
    error = path + ": no size of " + std::to_string(pixels_per_em) + " pixels";
    return false;
  }
  for (char32_t code = 0x20; code < 0x7F; ++code) {
    if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) {
      error = path + ": no glyph for ASCII " + std::to_string(static_cast<int>(code));
      return false;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    SourceGlyph glyph;
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    glyph.top = slot->bitmap_top;
    // Ink left of the origin moves onto it; ink past 16 columns is dropped.
    const int left = slot->bitmap_left > 0 ? slot->bitmap_left : 0;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
      std::uint32_t bits = 0;
      for (unsigned column = 0; column < bitmap.width; ++column) {
        const unsigned char byte =
            bitmap.buffer[static_cast<long>(row) * bitmap.pitch + column / 8];
        if ((byte >> (7 - column % 8) & 1) == 0) continue;
        const int x = left + static_cast<int>(column);
        if (x < 16) bits |= 0x8000u >> x;
      }
      glyph.rows.push_back(static_cast<std::uint16_t>(bits));
    }
    glyphs[code] = std::move(glyph);
  }
  return true;
}

}  // namespace rolvi::fontgen
