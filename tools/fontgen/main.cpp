// rolvi_fontgen: cuts the embedded bitmap font out of GNU Unifont (16 pixels), the Chinese
// glyphs of a 12-pixel BDF font and three outline Latin faces rasterised with FreeType, for
// ASCII and every character of the program's texts, and writes the C++ table with the glyphs
// and the GBK code of each character.
//
//   rolvi_fontgen <font_chars.txt> <unifont.hex> <12px.bdf> <sans.ttf> <condensed.ttf>
//                 <mono.ttf> <out.cpp>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "font_sources.h"
#include "outline_font.h"
#include "platform/gbk/gbk_text.h"

namespace rolvi::fontgen {
namespace {

// The Latin faces, all at sizes whose capitals stand about as high as the 12-pixel Chinese
// glyphs: DejaVu Sans at 11 pixels per em for the dialogs (digits 7 pixels wide), DejaVu Sans
// Condensed at 11 for the lists (digits 6 pixels wide, so that a statistics row with three
// numbers fits its window), and DejaVu Sans Mono at 10 for the name plates (every letter 6
// pixels wide, so that 13 capitals W take 78 pixels of the 90-pixel plate).
constexpr int kSansPixelsPerEm = 11;
constexpr int kListPixelsPerEm = 11;
constexpr int kNarrowPixelsPerEm = 10;

struct Character {
  std::uint16_t gbk = 0;
  char32_t code = 0;
};

struct Face {
  std::string name;
  int line_height = 0;
  int ascent = 0;
  std::vector<int> advances;
  std::vector<std::uint16_t> rows;
};

// The characters of the list beyond ASCII: each code point with its UTF-8 bytes.
std::map<char32_t, std::string> ReadCharacterList(const std::string& path, std::string& error) {
  std::map<char32_t, std::string> result;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open " + path;
    return result;
  }
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] == '#') continue;
    for (std::size_t i = 0; i < line.size();) {
      const auto lead = static_cast<unsigned char>(line[i]);
      int length = 1;
      char32_t code = lead;
      if (lead >= 0xF0) {
        length = 4;
        code = lead & 0x07u;
      } else if (lead >= 0xE0) {
        length = 3;
        code = lead & 0x0Fu;
      } else if (lead >= 0xC0) {
        length = 2;
        code = lead & 0x1Fu;
      }
      for (int k = 1; k < length && i + static_cast<std::size_t>(k) < line.size(); ++k) {
        code =
            code << 6 | (static_cast<unsigned char>(line[i + static_cast<std::size_t>(k)]) & 0x3Fu);
      }
      if (code >= 0x80) result.emplace(code, line.substr(i, static_cast<std::size_t>(length)));
      i += static_cast<std::size_t>(length);
    }
  }
  return result;
}

bool ToGbk(const std::map<char32_t, std::string>& codes, std::vector<Character>& out,
           std::string& error) {
  for (const auto& [code, utf8] : codes) {
    const std::optional<std::string> gbk = platform::Utf8ToGbk(utf8);
    if (!gbk || gbk->size() != 2) {
      std::ostringstream message;
      message << "U+" << std::hex << static_cast<unsigned>(code) << " has no double-byte GBK code";
      error = message.str();
      return false;
    }
    out.push_back({static_cast<std::uint16_t>(static_cast<unsigned char>((*gbk)[0]) << 8 |
                                              static_cast<unsigned char>((*gbk)[1])),
                   code});
  }
  std::sort(out.begin(), out.end(),
            [](const Character& a, const Character& b) { return a.gbk < b.gbk; });
  return true;
}

// A hollow box from the cap height down to the baseline, one pixel in from both sides.
SourceGlyph ReplacementBox(int advance, int ascent) {
  SourceGlyph box;
  box.advance = advance;
  box.top = ascent;
  const int height = ascent * 3 / 4;
  const int first_row = ascent - height;
  const auto full = static_cast<std::uint16_t>((0xFFFFu << (16 - (advance - 2))) >> 1);
  const auto sides = static_cast<std::uint16_t>(0x4000u | (0x8000u >> (advance - 2)));
  for (int row = 0; row < ascent; ++row) {
    if (row < first_row) {
      box.rows.push_back(0);
    } else if (row == first_row || row == ascent - 1) {
      box.rows.push_back(full);
    } else {
      box.rows.push_back(sides);
    }
  }
  return box;
}

// A character that GBK stores in two bytes is drawn full width; a narrow source glyph for it
// (Unifont's curly quotes) is padded, opening quotes hugging the next character and closing
// quotes the previous one, as Chinese fonts set them.
SourceGlyph FullWidth(SourceGlyph glyph, char32_t code, int full_width) {
  if (glyph.advance >= full_width) return glyph;
  const int spare = full_width - glyph.advance;
  int shift = spare / 2;
  if (code == U'\u201C' || code == U'\u2018') shift = spare;
  if (code == U'\u201D' || code == U'\u2019') shift = 0;
  for (auto& row : glyph.rows)
    row = static_cast<std::uint16_t>(row >> shift);
  glyph.advance = full_width;
  return glyph;
}

// Unifont's zero carries a slash, which reads as a Scandinavian O in the score boxes; the
// outline alone, the leftmost and rightmost pixel of every row, is a plain zero.
void UnslashZero(GlyphMap& glyphs) {
  const auto zero = glyphs.find(U'0');
  if (zero == glyphs.end()) return;
  for (auto& row : zero->second.rows) {
    if (row == 0) continue;
    const std::uint16_t rightmost = row & static_cast<std::uint16_t>(-row);
    std::uint16_t leftmost = 0x8000;
    while ((row & leftmost) == 0)
      leftmost >>= 1;
    row = static_cast<std::uint16_t>(leftmost | rightmost);
  }
}

// The Chinese glyphs of `wide` with the ASCII glyphs of `latin`.
GlyphMap Combine(const GlyphMap& wide, const GlyphMap& latin) {
  GlyphMap result = wide;
  for (const auto& [code, glyph] : latin) {
    if (code < 0x80) result[code] = glyph;
  }
  return result;
}

bool BuildFace(Face& face, const GlyphMap& source, const std::vector<Character>& characters,
               int line_height, int ascent, std::string& error) {
  const auto wide = source.find(U'\u4E00');
  const auto narrow = source.find(U'0');
  if (wide == source.end() || narrow == source.end()) {
    error = face.name + ": source font lacks the reference glyphs";
    return false;
  }
  std::vector<SourceGlyph> glyphs;
  glyphs.push_back(ReplacementBox(narrow->second.advance, ascent));
  glyphs.push_back(ReplacementBox(wide->second.advance, ascent));
  for (char32_t code = 0x20; code < 0x7F; ++code) {
    const auto found = source.find(code);
    if (found == source.end()) {
      error = face.name + ": no glyph for ASCII " + std::to_string(static_cast<int>(code));
      return false;
    }
    glyphs.push_back(found->second);
  }
  for (const Character& character : characters) {
    const auto found = source.find(character.code);
    if (found == source.end()) {
      std::ostringstream message;
      message << face.name << ": no glyph for U+" << std::hex
              << static_cast<unsigned>(character.code);
      error = message.str();
      return false;
    }
    glyphs.push_back(FullWidth(found->second, character.code, wide->second.advance));
  }
  face.line_height = line_height;
  face.ascent = ascent;
  for (const SourceGlyph& glyph : glyphs) {
    face.advances.push_back(glyph.advance);
    for (int row = 0; row < line_height; ++row) {
      const int source_row = row - (ascent - glyph.top);
      const bool inside = source_row >= 0 && source_row < static_cast<int>(glyph.rows.size());
      face.rows.push_back(inside ? glyph.rows[static_cast<std::size_t>(source_row)] : 0);
    }
  }
  return true;
}

// The tightest ascent and descent that hold every glyph the font will carry.
void MeasureGlyphs(const GlyphMap& source, const std::vector<Character>& characters, int& ascent,
                   int& descent) {
  ascent = 0;
  descent = 0;
  auto measure = [&](char32_t code) {
    const auto found = source.find(code);
    if (found == source.end()) return;
    const SourceGlyph& glyph = found->second;
    int first = -1;
    int last = -1;
    for (std::size_t row = 0; row < glyph.rows.size(); ++row) {
      if (glyph.rows[row] == 0) continue;
      if (first < 0) first = static_cast<int>(row);
      last = static_cast<int>(row);
    }
    if (first < 0) return;
    ascent = std::max(ascent, glyph.top - first);
    descent = std::max(descent, last + 1 - glyph.top);
  };
  for (char32_t code = 0x20; code < 0x7F; ++code)
    measure(code);
  for (const Character& character : characters)
    measure(character.code);
}

void WriteFace(std::ostream& out, const Face& face) {
  out << "constexpr std::uint8_t k" << face.name << "Advances[] = {";
  for (std::size_t i = 0; i < face.advances.size(); ++i) {
    out << (i % 24 == 0 ? "\n    " : " ") << face.advances[i] << ",";
  }
  out << "\n};\n\n";
  out << "constexpr std::uint16_t k" << face.name << "Rows[] = {";
  for (std::size_t i = 0; i < face.rows.size(); ++i) {
    if (i % static_cast<std::size_t>(face.line_height) == 0) out << "\n   ";
    char word[16];
    std::snprintf(word, sizeof word, " 0x%04X,", face.rows[i]);
    out << word;
  }
  out << "\n};\n\n";
}

bool WriteTable(const std::string& path, const std::vector<Character>& characters,
                const std::vector<const Face*>& faces) {
  std::ofstream out(path);
  if (!out) return false;
  out << "// Generated by tools/fontgen from res/font_chars.txt, GNU Unifont (16 pixels),\n"
         "// WenQuanYi Bitmap Song (Chinese at 12 pixels) and DejaVu Sans, DejaVu Sans Condensed\n"
         "// and DejaVu Sans Mono (Latin at 11, 11 and 10 pixels per em); see the README. Do not\n"
         "// edit by hand.\n"
         "//\n"
         "// The Latin glyphs of FaceSans, FaceList and FaceNarrow are rendered from DejaVu "
         "fonts:\n"
         "// Copyright (c) 2003 by Bitstream, Inc. All Rights Reserved. Bitstream Vera is a\n"
         "// trademark of Bitstream, Inc. DejaVu changes are in public domain. Used under the\n"
         "// Bitstream Vera licence, whose full text is in res/fonts/dejavu-licence.txt.\n"
         "// clang-format off\n"
         "#include \"platform/software/font_data.h\"\n\n"
         "namespace rolvi::platform::font_data {\n"
         "namespace {\n\n";
  out << "constexpr std::uint16_t kCodes[] = {";
  for (std::size_t i = 0; i < characters.size(); ++i) {
    char word[16];
    std::snprintf(word, sizeof word, " 0x%04X,", characters[i].gbk);
    out << (i % 12 == 0 ? "\n   " : "") << word;
  }
  out << "\n};\n\n";
  for (const Face* face : faces)
    WriteFace(out, *face);
  out << "}  // namespace\n\n";
  for (const Face* face : faces) {
    out << "const Face& " << face->name << "() {\n"
        << "  static constexpr Face kFace{" << face->line_height << ", " << face->ascent << ", k"
        << face->name << "Advances, k" << face->name << "Rows};\n"
        << "  return kFace;\n}\n\n";
  }
  out << "std::span<const std::uint16_t> GbkCodes() { return kCodes; }\n\n"
         "}  // namespace rolvi::platform::font_data\n";
  return static_cast<bool>(out);
}

int Run(int argc, char** argv) {
  if (argc != 8) {
    std::cerr << "usage: rolvi_fontgen <font_chars.txt> <unifont.hex> <12px.bdf> <sans.ttf> "
                 "<condensed.ttf> <mono.ttf> <out.cpp>\n";
    return 2;
  }
  std::string error;
  const std::map<char32_t, std::string> codes = ReadCharacterList(argv[1], error);
  std::vector<Character> characters;
  GlyphMap unifont;
  GlyphMap bdf;
  GlyphMap sans_latin;
  GlyphMap list_latin;
  GlyphMap narrow_latin;
  if (!error.empty() || !ToGbk(codes, characters, error) ||
      !ReadUnifontHex(argv[2], unifont, error) || !ReadBdf(argv[3], bdf, error) ||
      !RenderOutlineAscii(argv[4], kSansPixelsPerEm, sans_latin, error) ||
      !RenderOutlineAscii(argv[5], kListPixelsPerEm, list_latin, error) ||
      !RenderOutlineAscii(argv[6], kNarrowPixelsPerEm, narrow_latin, error)) {
    std::cerr << "rolvi_fontgen: " << error << "\n";
    return 1;
  }
  UnslashZero(unifont);
  Face large{"Face16", 0, 0, {}, {}};
  if (!BuildFace(large, unifont, characters, 16, 14, error)) {
    std::cerr << "rolvi_fontgen: " << error << "\n";
    return 1;
  }
  std::vector<Face> faces{large};
  std::cout << characters.size() << " characters; Face16 16/14";
  const std::pair<const char*, const GlyphMap*> mixed[] = {
      {"FaceSans", &sans_latin}, {"FaceList", &list_latin}, {"FaceNarrow", &narrow_latin}};
  for (const auto& [name, latin] : mixed) {
    const GlyphMap source = Combine(bdf, *latin);
    int ascent = 0;
    int descent = 0;
    MeasureGlyphs(source, characters, ascent, descent);
    Face face{name, 0, 0, {}, {}};
    if (!BuildFace(face, source, characters, ascent + descent, ascent, error)) {
      std::cerr << "rolvi_fontgen: " << error << "\n";
      return 1;
    }
    faces.push_back(std::move(face));
    std::cout << ", " << name << " " << ascent + descent << "/" << ascent;
  }
  std::cout << "\n";
  std::vector<const Face*> pointers;
  for (const Face& face : faces)
    pointers.push_back(&face);
  if (!WriteTable(argv[7], characters, pointers)) {
    std::cerr << "rolvi_fontgen: cannot write " << argv[7] << "\n";
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace rolvi::fontgen

int main(int argc, char** argv) {
  return rolvi::fontgen::Run(argc, argv);
}
