#include "platform/win32/gdi_surface.h"

#include <algorithm>
#include <array>

#include "platform/win32/gdi_objects.h"
#include "platform/win32/win32_text.h"

namespace rolvi::platform::win32 {
namespace {

COLORREF ToColorRef(Rgb colour) {
  return RGB(colour.red, colour.green, colour.blue);
}

Rgb FromColorRef(COLORREF colour) {
  return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

DWORD RasterCode(RasterOp op) {
  switch (op) {
    case RasterOp::kAnd:
      return SRCAND;
    case RasterOp::kOr:
      return SRCPAINT;
    case RasterOp::kCopy:
      break;
  }
  return SRCCOPY;
}

UINT DrawFlags(const TextFormat& format) {
  UINT flags = 0;
  switch (format.align) {
    case HorizontalAlign::kLeft:
      flags |= DT_LEFT;
      break;
    case HorizontalAlign::kCentre:
      flags |= DT_CENTER;
      break;
    case HorizontalAlign::kRight:
      flags |= DT_RIGHT;
      break;
  }
  if (format.single_line) {
    flags |= DT_SINGLELINE;
    if (format.vertical_centre) flags |= DT_VCENTER;
  }
  if (format.word_wrap) flags |= DT_WORDBREAK;
  if (!format.mnemonics) flags |= DT_NOPREFIX;
  return flags;
}

int SystemColourIndex(SystemColour which) {
  switch (which) {
    case SystemColour::kFace:
      return COLOR_BTNFACE;
    case SystemColour::kHighlight:
      return COLOR_BTNHIGHLIGHT;
    case SystemColour::kShadow:
      return COLOR_BTNSHADOW;
    case SystemColour::kDarkShadow:
      return COLOR_3DDKSHADOW;
    case SystemColour::kWindow:
      return COLOR_WINDOW;
    case SystemColour::kWindowText:
      return COLOR_WINDOWTEXT;
    case SystemColour::kSelection:
      return COLOR_HIGHLIGHT;
    case SystemColour::kSelectionText:
      return COLOR_HIGHLIGHTTEXT;
    case SystemColour::kGrayText:
      return COLOR_GRAYTEXT;
    case SystemColour::kCaption:
      return COLOR_ACTIVECAPTION;
    case SystemColour::kCaptionText:
      return COLOR_CAPTIONTEXT;
  }
  return COLOR_BTNFACE;
}

// Copies the text with "&x" shown as "x" and "&&" as "&", as a prefix-processing draw shows it.
std::size_t StripMnemonics(const wchar_t* text, int length, std::array<wchar_t, 1024>& out) {
  std::size_t kept = 0;
  for (int i = 0; i < length && kept < out.size(); ++i) {
    if (text[i] == L'&' && i + 1 < length) ++i;
    out[kept++] = text[i];
  }
  return kept;
}

}  // namespace

GdiSurface::GdiSurface(HDC dc, const FontSet& fonts)
    : dc_(dc), fonts_(fonts), previous_font_(SelectObject(dc, fonts.handle(Font::kMain))) {}

GdiSurface::~GdiSurface() {
  SelectObject(dc_, previous_font_);
  if (pen_selected_) {
    SelectObject(dc_, previous_pen_);
    if (own_pen_ != nullptr) DeleteObject(own_pen_);
  }
}

void GdiSurface::Blit(int x, int y, int width, int height, const Image* source, int source_x,
                      int source_y, RasterOp op) {
  const auto* image = dynamic_cast<const GdiImage*>(source);
  if (image == nullptr) return;
  // GDI clips the destination; the source is clipped here so nothing outside the bitmap is read.
  const Size size = image->size();
  if (source_x < 0) {
    width += source_x;
    x -= source_x;
    source_x = 0;
  }
  if (source_y < 0) {
    height += source_y;
    y -= source_y;
    source_y = 0;
  }
  width = std::min(width, size.width - source_x);
  height = std::min(height, size.height - source_y);
  if (width <= 0 || height <= 0) return;
  BitBlt(dc_, x, y, width, height, image->dc(), source_x, source_y, RasterCode(op));
}

Rgb GdiSurface::SelectPen(Rgb colour) {
  const Rgb previous = pen_colour_;
  HPEN pen = colour == kWhite ? static_cast<HPEN>(GetStockObject(WHITE_PEN))
                              : CreatePen(PS_SOLID, 1, ToColorRef(colour));
  HGDIOBJ replaced = SelectObject(dc_, pen);
  if (!pen_selected_) {
    previous_pen_ = replaced;
    pen_selected_ = true;
  }
  if (own_pen_ != nullptr) DeleteObject(own_pen_);
  own_pen_ = colour == kWhite ? nullptr : pen;
  pen_colour_ = colour;
  return previous;
}

void GdiSurface::MoveTo(int x, int y) {
  MoveToEx(dc_, x, y, nullptr);
}

void GdiSurface::LineTo(int x, int y) {
  ::LineTo(dc_, x, y);
}

void GdiSurface::FillRect(const Rect& rect, Rgb colour) {
  HBRUSH brush = CreateSolidBrush(ToColorRef(colour));
  const RECT area{rect.left, rect.top, rect.right, rect.bottom};
  ::FillRect(dc_, &area, brush);
  DeleteObject(brush);
}

void GdiSurface::SetTextColour(Rgb colour) {
  SetTextColor(dc_, ToColorRef(colour));
}

void GdiSurface::SetBackgroundColour(Rgb colour) {
  SetBkColor(dc_, ToColorRef(colour));
}

void GdiSurface::SetBackgroundMode(BackgroundMode mode) {
  SetBkMode(dc_, mode == BackgroundMode::kOpaque ? OPAQUE : TRANSPARENT);
}

Font GdiSurface::SelectFont(Font font) {
  const Font previous = font_;
  SelectObject(dc_, fonts_.handle(font));
  font_ = font;
  return previous;
}

void GdiSurface::DrawText(std::string_view gbk_text, const Rect& rect, const TextFormat& format) {
  const WideText text(gbk_text);
  RECT area{rect.left, rect.top, rect.right, rect.bottom};
  DrawTextW(dc_, text.c_str(), text.length(), &area, DrawFlags(format));
}

Size GdiSurface::MeasureText(std::string_view gbk_text, Font font, bool mnemonics) const {
  const WideText text(gbk_text);
  std::array<wchar_t, 1024> shown{};
  const wchar_t* units = text.c_str();
  int length = text.length();
  if (mnemonics) {
    length = static_cast<int>(StripMnemonics(text.c_str(), text.length(), shown));
    units = shown.data();
  }
  HGDIOBJ previous = SelectObject(dc_, fonts_.handle(font));
  SIZE extent{};
  GetTextExtentPoint32W(dc_, units, length, &extent);
  SelectObject(dc_, previous);
  return {extent.cx, extent.cy};
}

Rgb GdiSurface::SystemColour(platform::SystemColour which) const {
  return FromColorRef(GetSysColor(SystemColourIndex(which)));
}

std::unique_ptr<Image> GdiSurface::CreateImage(const DibView& dib) {
  return GdiImage::FromDib(dc_, dib);
}

std::unique_ptr<Palette> GdiSurface::CreatePalette(std::span<const PaletteEntry> entries) {
  return GdiPalette::FromEntries(entries);
}

void GdiSurface::SelectPalette(const Palette& palette) {
  if (const auto* gdi = dynamic_cast<const GdiPalette*>(&palette)) gdi->SelectInto(dc_);
}

}  // namespace rolvi::platform::win32
