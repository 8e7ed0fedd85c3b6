#include "platform/web/window_frame.h"

#include <array>

#include "platform/widgets/widgets.h"

namespace rolvi::platform::web {
namespace {

int BorderOf(FrameStyle style) {
  switch (style) {
    case FrameStyle::kMain:
      return 4;
    case FrameStyle::kBare:
      return 0;
    default:
      return 3;
  }
}

// A touch screen's close box: a cross of two strokes two pixels thick, 14 pixels across.
void DrawTouchCross(SoftSurface& surface, int left, int top, Rgb ink) {
  constexpr int kSide = 14;
  for (int i = 0; i < kSide; ++i) {
    surface.FillRect(Rect{left + i, top + i, left + i + 2, top + i + 1}, ink);
    surface.FillRect(Rect{left + kSide - i - 2, top + i, left + kSide - i, top + i + 1}, ink);
  }
}

// The close box's cross, 8 by 7 pixels: each row's two strokes as [from, to) columns.
constexpr std::array<std::array<int, 4>, 7> kCrossRows{{
    {0, 2, 6, 8},
    {1, 3, 5, 7},
    {2, 6, 2, 6},
    {3, 5, 3, 5},
    {2, 6, 2, 6},
    {1, 3, 5, 7},
    {0, 2, 6, 8},
}};

void DrawCloseBox(SoftSurface& surface, const Rect& box, bool pressed, bool touch) {
  surface.FillRect(box, surface.SystemColour(SystemColour::kFace));
  if (pressed) {
    widgets::DrawFrame(surface, box, surface.SystemColour(SystemColour::kDarkShadow));
    widgets::DrawFrame(surface, Rect{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1},
                       surface.SystemColour(SystemColour::kShadow));
  } else {
    widgets::DrawRaisedEdge(surface, box);
  }
  const int shift = pressed ? 1 : 0;
  const Rgb ink = surface.SystemColour(SystemColour::kWindowText);
  if (touch) {
    DrawTouchCross(surface, box.left + (box.width() - 14) / 2 + shift,
                   box.top + (box.height() - 14) / 2 + shift, ink);
    return;
  }
  const int left = box.left + (box.width() - 8) / 2 + shift;
  const int top = box.top + (box.height() - 7) / 2 + shift;
  for (int row = 0; row < 7; ++row) {
    const auto& strokes = kCrossRows[static_cast<std::size_t>(row)];
    surface.FillRect(Rect{left + strokes[0], top + row, left + strokes[1], top + row + 1}, ink);
    surface.FillRect(Rect{left + strokes[2], top + row, left + strokes[3], top + row + 1}, ink);
  }
}

void DrawIcon(SoftSurface& surface, const IconPicture& icon, int x, int y) {
  for (int row = 0; row < icon.height; ++row) {
    for (int column = 0; column < icon.width; ++column) {
      const std::uint32_t argb = icon.argb[static_cast<std::size_t>(row * icon.width + column)];
      if ((argb >> 24) == 0) continue;
      const Rgb colour{static_cast<std::uint8_t>(argb >> 16), static_cast<std::uint8_t>(argb >> 8),
                       static_cast<std::uint8_t>(argb)};
      surface.FillRect(Rect{x + column, y + row, x + column + 1, y + row + 1}, colour);
    }
  }
}

}  // namespace

FrameLayout LayOutFrame(FrameStyle style, Size content) {
  FrameLayout layout;
  if (style == FrameStyle::kBare) {
    layout.outer = content;
    layout.content = Rect{0, 0, content.width, content.height};
    layout.touch = true;
    return layout;
  }
  const int border = BorderOf(style);
  layout.touch = style == FrameStyle::kTouchDialog;
  const int title = layout.touch ? kTouchTitleBarHeight : kTitleBarHeight;
  const Size box = layout.touch ? Size{kTouchTargetSide, kTouchTargetSide} : kCloseBoxSize;
  layout.outer = Size{content.width + 2 * border, content.height + 2 * border + title};
  layout.title_bar = Rect{border, border, layout.outer.width - border, border + title};
  layout.content = Rect{border, layout.title_bar.bottom, border + content.width,
                        layout.title_bar.bottom + content.height};
  const int box_right = layout.title_bar.right - 2;
  const int box_top = layout.title_bar.top + 2;
  layout.close_box = Rect{box_right - box.width, box_top, box_right, box_top + box.height};
  return layout;
}

void DrawWindowFrame(SoftSurface& surface, const FrameLayout& layout, std::string_view gbk_caption,
                     FrameLook look, const IconPicture* icon) {
  if (layout.title_bar.width() <= 0) return;  // a window without a frame
  const Rgb face = surface.SystemColour(SystemColour::kFace);
  const Rect outer{0, 0, layout.outer.width, layout.outer.height};
  // The border's face, then its raised edge; the content is not touched.
  surface.FillRect(Rect{0, 0, outer.right, layout.content.top}, face);
  surface.FillRect(Rect{0, layout.content.bottom, outer.right, outer.bottom}, face);
  surface.FillRect(Rect{0, layout.content.top, layout.content.left, layout.content.bottom}, face);
  surface.FillRect(
      Rect{layout.content.right, layout.content.top, outer.right, layout.content.bottom}, face);
  widgets::DrawRaisedEdge(surface, outer);

  // The title bar, with one row of the face below it.
  const Rect bar{layout.title_bar.left, layout.title_bar.top, layout.title_bar.right,
                 layout.title_bar.bottom - 1};
  surface.FillRect(bar, look.active ? surface.SystemColour(SystemColour::kCaption)
                                    : surface.SystemColour(SystemColour::kShadow));
  int text_left = bar.left + 3;
  if (icon != nullptr) {
    DrawIcon(surface, *icon, bar.left + 1, bar.top + (bar.height() - icon->height) / 2);
    text_left = bar.left + 1 + icon->width + 3;
  }
  surface.SetBackgroundMode(BackgroundMode::kTransparent);
  surface.SetTextColour(look.active ? surface.SystemColour(SystemColour::kCaptionText) : face);
  // A touch screen's caption is the larger main font, centred over the dialog.
  const Font previous = surface.SelectFont(layout.touch ? Font::kMain : Font::kDialog);
  TextFormat format;
  format.single_line = true;
  format.vertical_centre = true;
  format.mnemonics = false;
  Rect text{text_left, bar.top, layout.close_box.left - 2, bar.bottom};
  if (layout.touch) {
    format.align = HorizontalAlign::kCentre;
    text = Rect{bar.right - layout.close_box.left + bar.left, bar.top, layout.close_box.left,
                bar.bottom};
  }
  surface.DrawText(gbk_caption, text, format);
  surface.SelectFont(previous);
  DrawCloseBox(surface, layout.close_box, look.close_pressed, layout.touch);
}

std::optional<IconPicture> CaptionIcon(const IconPicture& icon) {
  constexpr int kSide = 2 * kCaptionIconSide;
  if (icon.width != kSide || icon.height != kSide ||
      icon.argb.size() != static_cast<std::size_t>(kSide * kSide)) {
    return std::nullopt;
  }
  IconPicture small{kCaptionIconSide, kCaptionIconSide, {}};
  small.argb.reserve(static_cast<std::size_t>(kCaptionIconSide * kCaptionIconSide));
  for (int row = 0; row < kCaptionIconSide; ++row) {
    for (int column = 0; column < kCaptionIconSide; ++column) {
      std::uint32_t red = 0;
      std::uint32_t green = 0;
      std::uint32_t blue = 0;
      std::uint32_t opaque = 0;
      for (int dy = 0; dy < 2; ++dy) {
        for (int dx = 0; dx < 2; ++dx) {
          const std::uint32_t argb =
              icon.argb[static_cast<std::size_t>((2 * row + dy) * kSide + 2 * column + dx)];
          if ((argb >> 24) == 0) continue;
          ++opaque;
          red += (argb >> 16) & 0xFF;
          green += (argb >> 8) & 0xFF;
          blue += argb & 0xFF;
        }
      }
      if (opaque < 2) {
        small.argb.push_back(0);
        continue;
      }
      small.argb.push_back(0xFF000000u | (red / opaque) << 16 | (green / opaque) << 8 |
                           blue / opaque);
    }
  }
  return small;
}

}  // namespace rolvi::platform::web
