// SoftSurface: the drawing surface in software, a 32-bit framebuffer (0x00RRGGBB per pixel)
// with every drawing operation of platform::Surface, and the rectangles drawn since the last
// present. Every back end without a native drawing interface of its own presents it, and the
// tests read its pixels.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/software/glyphs.h"
#include "platform/surface.h"

namespace rolvi::platform {

class SoftSurface final : public Surface {
 public:
  SoftSurface(int width, int height, Rgb background = kBlack);

  int width() const { return width_; }
  int height() const { return height_; }
  // Rows top first, `width()` pixels each.
  std::span<const std::uint32_t> pixels() const { return pixels_; }
  std::span<std::uint32_t> pixels() { return pixels_; }
  // The pixel at framebuffer position (x, y), or nothing outside the framebuffer.
  std::optional<Rgb> GetPixel(int x, int y) const;

  // A new framebuffer size; the content is cleared to `background` and the clip reset. A
  // framebuffer that shrinks to less than half of its memory gives the memory back, so that a
  // window dragged very large and back does not keep what its largest size took.
  void Resize(int width, int height, Rgb background = kBlack);
  // How many pixels the framebuffer's memory holds, at least width() times height().
  std::size_t held_pixels() const { return pixels_.capacity(); }

  // What was drawn since the last ForgetChanges() (or, at first, since the framebuffer was
  // made or resized, which counts as drawing all of it): at most kMaxChanges rectangles in
  // framebuffer coordinates that together cover every pixel drawn, each within the
  // framebuffer. A back end copies only these to the screen. Drawing that lands close to
  // drawn rectangles joins them, so a cell drawn again and again stays one rectangle.
  static constexpr std::size_t kMaxChanges = 8;
  std::span<const Rect> changes() const { return {changes_.data(), change_count_}; }
  void ForgetChanges() { change_count_ = 0; }
  // For pixels written through pixels() by their owner.
  void MarkChanged(const Rect& framebuffer_rect);

  // Drawing is limited to `clip`, in framebuffer coordinates, as well as to the framebuffer
  // (a paint draws only into its invalid area, a child widget only into its own rectangle).
  void SetClip(const Rect& clip);
  void ResetClip();
  Rect clip() const { return clip_; }
  // Every drawing coordinate is offset by (x, y): a child widget draws in its own coordinates.
  void SetOrigin(int x, int y);
  int origin_x() const { return origin_x_; }
  int origin_y() const { return origin_y_; }

  void Blit(int x, int y, int width, int height, const Image* source, int source_x, int source_y,
            RasterOp op) override;
  Rgb SelectPen(Rgb colour) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void FillRect(const Rect& rect, Rgb colour) override;
  void SetTextColour(Rgb colour) override { text_colour_ = colour; }
  void SetBackgroundColour(Rgb colour) override { background_colour_ = colour; }
  void SetBackgroundMode(BackgroundMode mode) override { background_mode_ = mode; }
  Font SelectFont(Font font) override;
  void DrawText(std::string_view gbk_text, const Rect& rect, const TextFormat& format) override;
  Size MeasureText(std::string_view gbk_text, Font font, bool mnemonics) const override;
  Rgb SystemColour(platform::SystemColour which) const override;
  std::unique_ptr<Image> CreateImage(const DibView& dib) override;
  std::unique_ptr<Palette> CreatePalette(std::span<const PaletteEntry> entries) override;
  void SelectPalette(const Palette& palette) override;

 private:
  // Framebuffer rectangle of a drawing rectangle, cut to the clip.
  Rect ToDevice(const Rect& rect) const;
  void Plot(int x, int y, std::uint32_t colour);
  // Adds a drawn rectangle, already cut to the framebuffer, to the changes.
  void AddChange(Rect rect);
  void FillDevice(const Rect& device, std::uint32_t colour);
  void DrawGlyph(const FontMetrics& font, int glyph, int x, int y, const Rect& clip,
                 std::uint32_t colour);

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
  std::array<Rect, kMaxChanges> changes_{};
  std::size_t change_count_ = 0;
  Rect clip_{};
  int origin_x_ = 0;
  int origin_y_ = 0;
  Rgb pen_ = kBlack;
  int position_x_ = 0;
  int position_y_ = 0;
  Rgb text_colour_ = kBlack;
  Rgb background_colour_ = kWhite;
  BackgroundMode background_mode_ = BackgroundMode::kOpaque;
  Font font_ = Font::kMain;
};

}  // namespace rolvi::platform
