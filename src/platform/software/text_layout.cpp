#include "platform/software/text_layout.h"

namespace rolvi::platform {
namespace {

// Punctuation that may not start a line, and that may not end one.
bool IsClosing(const TextItem& item) {
  switch (item.code) {
    case 0xA3AC:  // ，
    case 0xA1A3:  // 。
    case 0xA3A1:  // ！
    case 0xA3BF:  // ？
    case 0xA3BA:  // ：
    case 0xA3BB:  // ；
    case 0xA1A2:  // 、
    case 0xA1B1:  // ”
    case 0xA1AF:  // ’
    case 0xA3A9:  // ）
    case 0xA1B7:  // 》
    case ',':
    case '.':
    case '!':
    case '?':
    case ':':
    case ';':
    case ')':
      return true;
    default:
      return false;
  }
}

bool IsOpening(const TextItem& item) {
  return item.code == 0xA1B0 /* “ */ || item.code == 0xA1AE /* ‘ */ ||
         item.code == 0xA3A8 /* （ */ || item.code == 0xA1B6 /* 《 */ || item.code == '(';
}

bool MayBreakBetween(const TextItem& before, const TextItem& after) {
  if (!before.double_byte && !after.double_byte) return false;
  return !IsClosing(after) && !IsOpening(before);
}

TextItem ItemFor(const GbkChar& character, const FontMetrics& font) {
  TextItem item;
  item.length = character.length;
  item.code = character.code;
  item.double_byte = character.double_byte;
  if (character.valid && !character.double_byte &&
      (character.code == '\n' || character.code == '\r')) {
    item.line_break = true;
    return item;
  }
  item.glyph = GlyphOf(character);
  item.advance = font.face->advances[static_cast<std::size_t>(item.glyph)];
  item.blank = character.valid && character.code == ' ';
  return item;
}

}  // namespace

TextItem NextTextItem(std::string_view text, std::size_t position, const FontMetrics& font,
                      bool mnemonics) {
  const GbkChar character = DecodeGbk(text, position);
  if (character.length == 0) return {};
  if (!mnemonics || character.double_byte || character.code != '&') {
    TextItem item = ItemFor(character, font);
    if (item.line_break && character.code == '\r' && DecodeGbk(text, position + 1).code == '\n') {
      item.length = 2;
    }
    return item;
  }
  const GbkChar marked = DecodeGbk(text, position + 1);
  if (marked.length == 0) {
    TextItem nothing;
    nothing.length = 1;
    return nothing;
  }
  TextItem item = ItemFor(marked, font);
  item.length += 1;
  item.underline = !item.line_break && !(marked.valid && marked.code == '&');
  return item;
}

TextLine NextTextLine(std::string_view text, std::size_t begin, const FontMetrics& font,
                      const TextFormat& format, int max_width) {
  const bool wrap = format.word_wrap && !format.single_line;
  TextLine last_break{};
  bool have_break = false;
  TextItem previous;
  bool have_previous = false;
  std::size_t position = begin;
  int width = 0;
  while (true) {
    const TextItem item = NextTextItem(text, position, font, format.mnemonics);
    if (item.length == 0) return {begin, position, position, width};
    if (item.line_break) {
      if (!format.single_line) return {begin, position, position + item.length, width};
      position += item.length;
      continue;
    }
    if (wrap) {
      if (item.blank) {
        if (have_previous && !previous.blank) {
          std::size_t after = position;
          while (true) {
            const TextItem skipped = NextTextItem(text, after, font, format.mnemonics);
            if (skipped.length == 0 || !skipped.blank) break;
            after += skipped.length;
          }
          last_break = {begin, position, after, width};
          have_break = true;
        }
      } else {
        if (have_previous && !previous.blank && MayBreakBetween(previous, item)) {
          last_break = {begin, position, position, width};
          have_break = true;
        }
        if (width + item.advance > max_width && have_previous) {
          if (have_break) return last_break;
          return {begin, position, position, width};
        }
      }
    }
    width += item.advance;
    position += item.length;
    previous = item;
    have_previous = true;
  }
}

int SingleLineWidth(std::string_view text, const FontMetrics& font, bool mnemonics) {
  int width = 0;
  std::size_t position = 0;
  while (true) {
    const TextItem item = NextTextItem(text, position, font, mnemonics);
    if (item.length == 0) return width;
    width += item.advance;
    position += item.length;
  }
}

}  // namespace rolvi::platform
