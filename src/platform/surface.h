// The drawing target as the core sees it: the subset of a classic desktop's 2-D drawing
// interface that the game uses (block copies with copy/AND/OR, one-pixel pens and lines,
// rectangle fills, text in a rectangle), plus the bitmaps and palettes made for it.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace rolvi::platform {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

// Left and top inside, right and bottom outside, as everywhere in this program.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr int width() const { return right - left; }
  constexpr int height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// The top-left corner that centres `inner` in `outer`; negative where `inner` is the larger.
// The divisions truncate toward zero.
constexpr Point CentreIn(Size outer, Size inner) {
  return Point{(outer.width - inner.width) / 2, (outer.height - inner.height) / 2};
}

// How a block copy combines source and destination pixels.
enum class RasterOp { kCopy, kAnd, kOr };

enum class BackgroundMode { kTransparent, kOpaque };

// The desktop's 3-D element colours and the few others the widgets need.
enum class SystemColour {
  kFace,       // button face, dialog background
  kHighlight,  // light edge of raised elements
  kShadow,     // dark edge of raised elements
  kDarkShadow,
  kWindow,  // background of edit fields
  kWindowText,
  kSelection,  // background of selected text and menu items
  kSelectionText,
  kGrayText,
  kCaption,  // active title bar
  kCaptionText,
};

// The fonts the program draws with.
enum class Font {
  kMain,       // the window's default font, about 16 pixels high
  kDialog,     // the dialogs' 9-point font
  kList16,     // the statistics window's rows (asked for as 16 pixels high)
  kList18,     // the records list (asked for as 18 pixels high)
  kNamePlate,  // the figures' name plates: 12 pixels with narrow Latin letters, so that a
               // name of 13 capitals fits the 90-pixel plate
};

enum class HorizontalAlign { kLeft, kCentre, kRight };

struct TextFormat {
  HorizontalAlign align = HorizontalAlign::kLeft;
  bool vertical_centre = false;  // only with single_line; otherwise text starts at the top
  bool single_line = false;      // no wrapping, line breaks ignored
  bool word_wrap = false;        // break lines between words to fit the rectangle's width
  bool mnemonics = true;         // "&x" underlines x and "&&" shows "&"; off shows "&" as is
};

struct PaletteEntry {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t flags = 0;
  friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

// A device-independent bitmap as a BMP file or a bitmap resource stores it: a 40-byte info
// header followed by its colour table, and the pixel rows (bottom row first when the header's
// height is positive, each row padded to 4 bytes). 1, 4 and 8 bits per pixel.
struct DibView {
  std::span<const std::uint8_t> header;  // info header and colour table
  std::span<const std::uint8_t> bits;
};

// A picture made for the display, used as the source of block copies.
class Image {
 public:
  virtual ~Image() = default;
  virtual Size size() const = 0;
};

class Palette {
 public:
  virtual ~Palette() = default;
};

class Surface {
 public:
  virtual ~Surface() = default;

  // Copies a width x height block from `source` at (source_x, source_y) to (x, y), clipped to
  // both. A null source copies nothing, like a memory surface without a bitmap.
  virtual void Blit(int x, int y, int width, int height, const Image* source, int source_x,
                    int source_y, RasterOp op) = 0;

  // Pens are solid and one pixel wide. Returns the colour of the pen selected before.
  virtual Rgb SelectPen(Rgb colour) = 0;
  virtual void MoveTo(int x, int y) = 0;
  // Draws from the current position towards (x, y), covering the start but not (x, y) itself,
  // which becomes the current position.
  virtual void LineTo(int x, int y) = 0;

  virtual void FillRect(const Rect& rect, Rgb colour) = 0;

  virtual void SetTextColour(Rgb colour) = 0;
  virtual void SetBackgroundColour(Rgb colour) = 0;
  virtual void SetBackgroundMode(BackgroundMode mode) = 0;
  // Returns the font selected before.
  virtual Font SelectFont(Font font) = 0;
  // Draws GBK text into `rect`, clipped to it.
  virtual void DrawText(std::string_view gbk_text, const Rect& rect, const TextFormat& format) = 0;
  // Width and height of one line of GBK text in `font` (mnemonic markers not counted).
  virtual Size MeasureText(std::string_view gbk_text, Font font, bool mnemonics) const = 0;

  virtual Rgb SystemColour(SystemColour which) const = 0;

  // A device-dependent bitmap made from `dib` for this surface's display, or null when the
  // DIB is malformed or the bitmap cannot be made.
  virtual std::unique_ptr<Image> CreateImage(const DibView& dib) = 0;
  virtual std::unique_ptr<Palette> CreatePalette(std::span<const PaletteEntry> entries) = 0;
  // Selects the palette as a foreground palette and realises it; without a palette-based
  // display this changes nothing visible.
  virtual void SelectPalette(const Palette& palette) = 0;
};

}  // namespace rolvi::platform
