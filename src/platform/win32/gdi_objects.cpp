#include "platform/win32/gdi_objects.h"

#include <algorithm>
#include <cstring>

#include "platform/dib_layout.h"

namespace rolvi::platform::win32 {
namespace {

// BITMAPINFO with room for the largest colour table, suitably aligned for GDI.
struct DibInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

struct PaletteRecord {
  WORD version;
  WORD count;
  PALETTEENTRY entries[256];
};

}  // namespace

std::unique_ptr<GdiImage> GdiImage::FromDib(HDC display, const DibView& dib) {
  const std::optional<DibLayout> layout = ReadDibLayout(dib);
  if (!layout) return nullptr;

  // The header may sit at any offset of a decoded file: copy it, with exactly the colour
  // table GDI will read, into an aligned record.
  DibInfo info{};
  std::memcpy(&info.header, dib.header.data(), sizeof(info.header));
  info.header.biSize = sizeof(info.header);
  info.header.biClrUsed = static_cast<DWORD>(layout->colours);
  std::memcpy(info.colours, dib.header.data() + layout->header_size, layout->colours * 4);
  const auto* bitmap_info = reinterpret_cast<const BITMAPINFO*>(&info);

  HBITMAP bitmap =
      CreateDIBitmap(display, &info.header, CBM_INIT, dib.bits.data(), bitmap_info, DIB_RGB_COLORS);
  if (bitmap == nullptr) return nullptr;
  HDC dc = CreateCompatibleDC(display);
  if (dc == nullptr) {
    DeleteObject(bitmap);
    return nullptr;
  }
  HGDIOBJ previous = SelectObject(dc, bitmap);
  return std::unique_ptr<GdiImage>(
      new GdiImage(dc, bitmap, previous, {layout->width, layout->height}));
}

GdiImage::~GdiImage() {
  SelectObject(dc_, previous_);
  DeleteDC(dc_);
  DeleteObject(bitmap_);
}

std::unique_ptr<GdiPalette> GdiPalette::FromEntries(std::span<const PaletteEntry> entries) {
  PaletteRecord record{};
  record.version = 0x300;
  const std::size_t count = std::min<std::size_t>(entries.size(), 256);
  if (count == 0) return nullptr;
  record.count = static_cast<WORD>(count);
  for (std::size_t i = 0; i < count; ++i) {
    record.entries[i] = {entries[i].red, entries[i].green, entries[i].blue, entries[i].flags};
  }
  HPALETTE palette = CreatePalette(reinterpret_cast<const LOGPALETTE*>(&record));
  if (palette == nullptr) return nullptr;
  return std::make_unique<GdiPalette>(palette);
}

void GdiPalette::SelectInto(HDC dc) const {
  SelectPalette(dc, palette_, FALSE);
  RealizePalette(dc);
  if (std::find(selected_in_.begin(), selected_in_.end(), dc) != selected_in_.end()) return;
  const auto free = std::find(selected_in_.begin(), selected_in_.end(), nullptr);
  if (free != selected_in_.end()) *free = dc;
}

GdiPalette::~GdiPalette() {
  // GDI does not delete a palette that a context still holds.
  HGDIOBJ standard = GetStockObject(DEFAULT_PALETTE);
  for (HDC dc : selected_in_) {
    if (dc != nullptr && GetCurrentObject(dc, OBJ_PAL) == palette_) {
      SelectPalette(dc, static_cast<HPALETTE>(standard), FALSE);
    }
  }
  DeleteObject(palette_);
}

}  // namespace rolvi::platform::win32
