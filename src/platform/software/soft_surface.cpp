#include "platform/software/soft_surface.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

#include "platform/software/soft_image.h"
#include "platform/software/text_layout.h"

namespace rolvi::platform {
namespace {

// Coordinates are held within this range, so that no sum of a coordinate, an origin and a
// size can overflow, and a line never takes more than a few million steps.
constexpr int kCoordinateLimit = 1 << 24;

int Bound(int value) {
  return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
}

Rect Intersect(const Rect& a, const Rect& b) {
  Rect result{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
  if (result.right < result.left) result.right = result.left;
  if (result.bottom < result.top) result.bottom = result.top;
  return result;
}

bool IsEmpty(const Rect& rect) {
  return rect.right <= rect.left || rect.bottom <= rect.top;
}

// The smallest rectangle holding both.
Rect Union(const Rect& a, const Rect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

bool Contains(const Rect& outer, const Rect& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
         outer.bottom >= inner.bottom;
}

// Overlapping, or meeting at an edge or a corner: such rectangles are joined, so that
// drawing side by side (a row of cells, a figure's parts) stays one rectangle.
bool Touches(const Rect& a, const Rect& b) {
  return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

std::int64_t Area(const Rect& rect) {
  return std::int64_t{rect.width()} * rect.height();
}

// One row of a block copy in each combining mode. The rows of the surface and of the picture
// never overlap, which lets the compiler work on several pixels at once.
void AndRow(std::uint32_t* __restrict out, const std::uint32_t* __restrict in,
            std::ptrdiff_t count) {
  for (std::ptrdiff_t i = 0; i < count; ++i)
    out[i] &= in[i];
}

void OrRow(std::uint32_t* __restrict out, const std::uint32_t* __restrict in,
           std::ptrdiff_t count) {
  for (std::ptrdiff_t i = 0; i < count; ++i)
    out[i] |= in[i];
}

int FloorHalf(int value) {
  return value >= 0 ? value / 2 : -((1 - value) / 2);
}

}  // namespace

SoftSurface::SoftSurface(int width, int height, Rgb background) {
  Resize(width, height, background);
}

void SoftSurface::Resize(int width, int height, Rgb background) {
  width_ = std::clamp(width, 0, kCoordinateLimit);
  height_ = std::clamp(height, 0, kCoordinateLimit);
  const std::size_t count = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
  // Released before the smaller framebuffer is made, so that the two are never held at once.
  if (count < pixels_.capacity() / 2) std::vector<std::uint32_t>().swap(pixels_);
  pixels_.assign(count, PackRgb(background));
  ResetClip();
  change_count_ = 0;
  AddChange({0, 0, width_, height_});
}

void SoftSurface::MarkChanged(const Rect& framebuffer_rect) {
  AddChange(Intersect(framebuffer_rect, {0, 0, width_, height_}));
}

void SoftSurface::AddChange(Rect rect) {
  if (IsEmpty(rect)) return;
  // Joins every held rectangle that the new one touches, until none is left to join.
  for (std::size_t i = 0; i < change_count_;) {
    const Rect& held = changes_[i];
    if (Contains(held, rect)) return;
    if (!Touches(held, rect)) {
      ++i;
      continue;
    }
    rect = Union(held, rect);
    changes_[i] = changes_[--change_count_];
    i = 0;
  }
  if (change_count_ < kMaxChanges) {
    changes_[change_count_++] = rect;
    return;
  }
  // No room: the new rectangle joins the held one that this enlarges least, and the union
  // goes in again, since it may now touch others.
  std::size_t best = 0;
  std::int64_t best_growth = std::numeric_limits<std::int64_t>::max();
  for (std::size_t i = 0; i < change_count_; ++i) {
    const std::int64_t growth = Area(Union(changes_[i], rect)) - Area(changes_[i]);
    if (growth < best_growth) {
      best = i;
      best_growth = growth;
    }
  }
  const Rect joined = Union(changes_[best], rect);
  changes_[best] = changes_[--change_count_];
  AddChange(joined);
}

std::optional<Rgb> SoftSurface::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return std::nullopt;
  return UnpackRgb(pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                           static_cast<std::size_t>(x)]);
}

void SoftSurface::SetClip(const Rect& clip) {
  clip_ = Intersect({Bound(clip.left), Bound(clip.top), Bound(clip.right), Bound(clip.bottom)},
                    {0, 0, width_, height_});
}

void SoftSurface::ResetClip() {
  clip_ = {0, 0, width_, height_};
}

void SoftSurface::SetOrigin(int x, int y) {
  origin_x_ = Bound(x);
  origin_y_ = Bound(y);
}

Rect SoftSurface::ToDevice(const Rect& rect) const {
  return Intersect({Bound(rect.left) + origin_x_, Bound(rect.top) + origin_y_,
                    Bound(rect.right) + origin_x_, Bound(rect.bottom) + origin_y_},
                   clip_);
}

void SoftSurface::Plot(int x, int y, std::uint32_t colour) {
  if (x < clip_.left || x >= clip_.right || y < clip_.top || y >= clip_.bottom) return;
  pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
          static_cast<std::size_t>(x)] = colour;
}

void SoftSurface::FillDevice(const Rect& device, std::uint32_t colour) {
  AddChange(device);
  for (int y = device.top; y < device.bottom; ++y) {
    const auto row = pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_;
    std::fill(row + device.left, row + device.right, colour);
  }
}

void SoftSurface::Blit(int x, int y, int width, int height, const Image* source, int source_x,
                       int source_y, RasterOp op) {
  const auto* image = dynamic_cast<const SoftImage*>(source);
  if (image == nullptr) return;
  // The block in source coordinates, cut to the image; the destination moves with the cut.
  const Rect wanted{Bound(source_x), Bound(source_y), Bound(source_x) + Bound(width),
                    Bound(source_y) + Bound(height)};
  const Rect from = Intersect(wanted, {0, 0, image->width(), image->height()});
  if (IsEmpty(from)) return;
  const int to_x = Bound(x) + origin_x_ + (from.left - wanted.left);
  const int to_y = Bound(y) + origin_y_ + (from.top - wanted.top);
  const Rect target = Intersect({to_x, to_y, to_x + from.width(), to_y + from.height()}, clip_);
  if (IsEmpty(target)) return;
  AddChange(target);
  // The first source and destination pixels and the row pitches are worked out once; each
  // mode then runs its own loop over whole rows.
  const std::ptrdiff_t source_pitch = image->width();
  const std::uint32_t* in =
      image->pixels().data() +
      static_cast<std::ptrdiff_t>(from.top + (target.top - to_y)) * source_pitch +
      (from.left + (target.left - to_x));
  std::uint32_t* out =
      pixels_.data() + static_cast<std::ptrdiff_t>(target.top) * width_ + target.left;
  const std::ptrdiff_t count = target.width();
  const int rows = target.height();
  switch (op) {
    case RasterOp::kCopy:
      for (int row = 0; row < rows; ++row, in += source_pitch, out += width_) {
        std::memcpy(out, in, static_cast<std::size_t>(count) * sizeof(std::uint32_t));
      }
      break;
    case RasterOp::kAnd:
      for (int row = 0; row < rows; ++row, in += source_pitch, out += width_) {
        AndRow(out, in, count);
      }
      break;
    case RasterOp::kOr:
      for (int row = 0; row < rows; ++row, in += source_pitch, out += width_) {
        OrRow(out, in, count);
      }
      break;
  }
}

Rgb SoftSurface::SelectPen(Rgb colour) {
  return std::exchange(pen_, colour);
}

void SoftSurface::MoveTo(int x, int y) {
  position_x_ = Bound(x);
  position_y_ = Bound(y);
}

// Bresenham from the current position, the end point left out; an x-major step moves down
// or up only when the error is past the half, as the classic desktop does.
void SoftSurface::LineTo(int x, int y) {
  const int end_x = Bound(x);
  const int end_y = Bound(y);
  const int dx = std::abs(end_x - position_x_);
  const int dy = std::abs(end_y - position_y_);
  const int step_x = end_x < position_x_ ? -1 : 1;
  const int step_y = end_y < position_y_ ? -1 : 1;
  const std::uint32_t colour = PackRgb(pen_);
  // Every plotted pixel lies in the box of the two end points.
  if (dx != 0 || dy != 0) {
    AddChange(Intersect(
        {std::min(position_x_, end_x) + origin_x_, std::min(position_y_, end_y) + origin_y_,
         std::max(position_x_, end_x) + origin_x_ + 1,
         std::max(position_y_, end_y) + origin_y_ + 1},
        clip_));
  }
  int px = position_x_;
  int py = position_y_;
  if (dx >= dy) {
    long long error = 2LL * dy - dx;
    for (int i = 0; i < dx; ++i) {
      Plot(px + origin_x_, py + origin_y_, colour);
      if (error > 0) {
        py += step_y;
        error -= 2LL * dx;
      }
      error += 2LL * dy;
      px += step_x;
    }
  } else {
    long long error = 2LL * dx - dy;
    for (int i = 0; i < dy; ++i) {
      Plot(px + origin_x_, py + origin_y_, colour);
      if (error > 0) {
        px += step_x;
        error -= 2LL * dy;
      }
      error += 2LL * dx;
      py += step_y;
    }
  }
  position_x_ = end_x;
  position_y_ = end_y;
}

void SoftSurface::FillRect(const Rect& rect, Rgb colour) {
  FillDevice(ToDevice(rect), PackRgb(colour));
}

Font SoftSurface::SelectFont(Font font) {
  return std::exchange(font_, font);
}

void SoftSurface::DrawGlyph(const FontMetrics& font, int glyph, int x, int y, const Rect& clip,
                            std::uint32_t colour) {
  const font_data::Face& face = *font.face;
  const int advance = face.advances[static_cast<std::size_t>(glyph)];
  const auto first_row =
      static_cast<std::size_t>(glyph) * static_cast<std::size_t>(face.line_height);
  for (int row = 0; row < face.line_height; ++row) {
    const int py = y + row;
    if (py < clip.top || py >= clip.bottom) continue;
    const std::uint16_t bits = face.rows[first_row + static_cast<std::size_t>(row)];
    if (bits == 0) continue;
    for (int column = 0; column < advance && column < 16; ++column) {
      const int px = x + column;
      if ((bits & (0x8000u >> column)) == 0 || px < clip.left || px >= clip.right) continue;
      pixels_[static_cast<std::size_t>(py) * static_cast<std::size_t>(width_) +
              static_cast<std::size_t>(px)] = colour;
    }
  }
}

void SoftSurface::DrawText(std::string_view gbk_text, const Rect& rect, const TextFormat& format) {
  const Rect clip = ToDevice(rect);
  if (IsEmpty(clip)) return;
  AddChange(clip);  // text and its cell backgrounds stay inside the clipped rectangle
  const FontMetrics font = MetricsOf(font_);
  const Rect box{Bound(rect.left) + origin_x_, Bound(rect.top) + origin_y_,
                 Bound(rect.right) + origin_x_, Bound(rect.bottom) + origin_y_};
  const std::uint32_t ink = PackRgb(text_colour_);
  const std::uint32_t paper = PackRgb(background_colour_);
  const int underline_row = std::min(font.ascent + 1, font.line_height - 1);

  int y = box.top;
  if (format.single_line && format.vertical_centre) {
    y += FloorHalf(box.height() - font.line_height);
  }
  std::size_t position = 0;
  while (y < clip.bottom) {
    const TextLine line = NextTextLine(gbk_text, position, font, format, box.width());
    if (line.next == position) break;
    int x = box.left;
    if (format.align == HorizontalAlign::kRight) x = box.right - line.width;
    if (format.align == HorizontalAlign::kCentre) x += FloorHalf(box.width() - line.width);
    if (background_mode_ == BackgroundMode::kOpaque) {
      FillDevice(Intersect({x, y, x + line.width, y + font.line_height}, clip), paper);
    }
    for (std::size_t at = line.begin; at < line.end;) {
      const TextItem item = NextTextItem(gbk_text, at, font, format.mnemonics);
      if (item.glyph >= 0) DrawGlyph(font, item.glyph, x, y, clip, ink);
      if (item.underline) {
        FillDevice(Intersect({x, y + underline_row, x + item.advance, y + underline_row + 1}, clip),
                   ink);
      }
      x += item.advance;
      at += item.length;
    }
    position = line.next;
    y += font.line_height;
    if (format.single_line) break;
  }
}

Size SoftSurface::MeasureText(std::string_view gbk_text, Font font, bool mnemonics) const {
  const FontMetrics metrics = MetricsOf(font);
  return {SingleLineWidth(gbk_text, metrics, mnemonics), metrics.line_height};
}

Rgb SoftSurface::SystemColour(platform::SystemColour which) const {
  switch (which) {
    case platform::SystemColour::kFace:
      return {192, 192, 192};
    case platform::SystemColour::kHighlight:
    case platform::SystemColour::kWindow:
    case platform::SystemColour::kSelectionText:
    case platform::SystemColour::kCaptionText:
      return kWhite;
    case platform::SystemColour::kShadow:
    case platform::SystemColour::kGrayText:
      return {128, 128, 128};
    case platform::SystemColour::kDarkShadow:
    case platform::SystemColour::kWindowText:
      return kBlack;
    case platform::SystemColour::kSelection:
    case platform::SystemColour::kCaption:
      return {0, 0, 128};
  }
  return kBlack;
}

std::unique_ptr<Image> SoftSurface::CreateImage(const DibView& dib) {
  return SoftImage::FromDib(dib);
}

std::unique_ptr<Palette> SoftSurface::CreatePalette(std::span<const PaletteEntry> entries) {
  return std::make_unique<SoftPalette>(entries);
}

// A true-colour framebuffer shows every colour as it is; there is nothing to realise.
void SoftSurface::SelectPalette(const Palette& /*palette*/) {}

}  // namespace rolvi::platform
