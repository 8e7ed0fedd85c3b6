// The pictures and palettes of the GDI back end: a device-dependent bitmap made from a DIB and
// held by its own memory device context, ready as the source of block copies, and a logical
// palette that takes itself out of the device contexts it was selected into before it goes.
#pragma once

#include <array>
#include <span>

#include "platform/surface.h"
#include "platform/win32/win32_api.h"

namespace rolvi::platform::win32 {

class GdiImage final : public Image {
 public:
  // A bitmap compatible with `display`, initialised from `dib`; null when the DIB is
  // malformed or GDI cannot make the bitmap or its memory device context.
  static std::unique_ptr<GdiImage> FromDib(HDC display, const DibView& dib);

  ~GdiImage() override;
  GdiImage(const GdiImage&) = delete;
  GdiImage& operator=(const GdiImage&) = delete;

  Size size() const override { return size_; }
  HDC dc() const { return dc_; }

 private:
  GdiImage(HDC dc, HBITMAP bitmap, HGDIOBJ previous, Size size)
      : dc_(dc), bitmap_(bitmap), previous_(previous), size_(size) {}

  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;  // the memory context's own bitmap, put back before it is deleted
  Size size_;
};

class GdiPalette final : public Palette {
 public:
  explicit GdiPalette(HPALETTE palette) : palette_(palette) {}
  ~GdiPalette() override;
  GdiPalette(const GdiPalette&) = delete;
  GdiPalette& operator=(const GdiPalette&) = delete;

  static std::unique_ptr<GdiPalette> FromEntries(std::span<const PaletteEntry> entries);

  // Selects the palette into `dc` as a foreground palette and realises it.
  void SelectInto(HDC dc) const;

 private:
  HPALETTE palette_;
  // Where the palette may still be selected; a window's own context keeps it until it goes.
  mutable std::array<HDC, 4> selected_in_{};
};

}  // namespace rolvi::platform::win32
