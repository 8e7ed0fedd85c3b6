// The drawing surface of the Win32 back end: the game's drawing operations on a GDI device
// context (a window's own context, or a paint context for the time of one paint). It selects
// its pens and fonts into the context and puts the context's previous ones back when it goes.
#pragma once

#include "platform/surface.h"
#include "platform/win32/font_set.h"
#include "platform/win32/win32_api.h"

namespace rolvi::platform::win32 {

class GdiSurface final : public Surface {
 public:
  GdiSurface(HDC dc, const FontSet& fonts);
  ~GdiSurface() override;
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;

  HDC dc() const { return dc_; }

  void Blit(int x, int y, int width, int height, const Image* source, int source_x, int source_y,
            RasterOp op) override;
  Rgb SelectPen(Rgb colour) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void FillRect(const Rect& rect, Rgb colour) override;
  void SetTextColour(Rgb colour) override;
  void SetBackgroundColour(Rgb colour) override;
  void SetBackgroundMode(BackgroundMode mode) override;
  Font SelectFont(Font font) override;
  void DrawText(std::string_view gbk_text, const Rect& rect, const TextFormat& format) override;
  Size MeasureText(std::string_view gbk_text, Font font, bool mnemonics) const override;
  Rgb SystemColour(platform::SystemColour which) const override;
  std::unique_ptr<Image> CreateImage(const DibView& dib) override;
  std::unique_ptr<Palette> CreatePalette(std::span<const PaletteEntry> entries) override;
  void SelectPalette(const Palette& palette) override;

 private:
  HDC dc_;
  const FontSet& fonts_;
  Font font_ = Font::kMain;
  HGDIOBJ previous_font_;
  Rgb pen_colour_ = kBlack;
  bool pen_selected_ = false;
  HGDIOBJ previous_pen_ = nullptr;  // the context's pen before the first SelectPen
  HPEN own_pen_ = nullptr;          // the pen this surface made and holds selected, if any
};

}  // namespace rolvi::platform::win32
