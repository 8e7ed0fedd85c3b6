#include "platform/widgets/widgets.h"

#include <string>

namespace rolvi::platform::widgets {

void DrawLine(Surface& surface, int x0, int y0, int x1, int y1, Rgb colour) {
  const Rgb previous = surface.SelectPen(colour);
  surface.MoveTo(x0, y0);
  surface.LineTo(x1, y1);
  surface.SelectPen(previous);
}

void DrawFrame(Surface& surface, const Rect& rect, Rgb colour) {
  surface.FillRect(Rect{rect.left, rect.top, rect.right, rect.top + 1}, colour);
  surface.FillRect(Rect{rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
  surface.FillRect(Rect{rect.left, rect.top, rect.left + 1, rect.bottom}, colour);
  surface.FillRect(Rect{rect.right - 1, rect.top, rect.right, rect.bottom}, colour);
}

namespace {

// Top and left edges in one colour, bottom and right in another.
void DrawBevel(Surface& surface, const Rect& rect, Rgb top_left, Rgb bottom_right) {
  surface.FillRect(Rect{rect.left, rect.top, rect.right - 1, rect.top + 1}, top_left);
  surface.FillRect(Rect{rect.left, rect.top, rect.left + 1, rect.bottom - 1}, top_left);
  surface.FillRect(Rect{rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottom_right);
  surface.FillRect(Rect{rect.right - 1, rect.top, rect.right, rect.bottom}, bottom_right);
}

Rect Inset(const Rect& rect, int by) {
  return Rect{rect.left + by, rect.top + by, rect.right - by, rect.bottom - by};
}

TextFormat LineFormat(HorizontalAlign align, bool mnemonics) {
  TextFormat format;
  format.align = align;
  format.single_line = true;
  format.vertical_centre = true;
  format.mnemonics = mnemonics;
  return format;
}

}  // namespace

void DrawRaisedEdge(Surface& surface, const Rect& rect) {
  DrawBevel(surface, rect, surface.SystemColour(SystemColour::kFace),
            surface.SystemColour(SystemColour::kDarkShadow));
  DrawBevel(surface, Inset(rect, 1), surface.SystemColour(SystemColour::kHighlight),
            surface.SystemColour(SystemColour::kShadow));
}

void DrawSunkenEdge(Surface& surface, const Rect& rect) {
  DrawBevel(surface, rect, surface.SystemColour(SystemColour::kShadow),
            surface.SystemColour(SystemColour::kHighlight));
  DrawBevel(surface, Inset(rect, 1), surface.SystemColour(SystemColour::kDarkShadow),
            surface.SystemColour(SystemColour::kFace));
}

void DrawThinEdge(Surface& surface, const Rect& rect, bool raised) {
  const Rgb light = surface.SystemColour(SystemColour::kHighlight);
  const Rgb dark = surface.SystemColour(SystemColour::kShadow);
  DrawBevel(surface, rect, raised ? light : dark, raised ? dark : light);
}

void DrawEtchedFrame(Surface& surface, const Rect& rect) {
  DrawFrame(surface, Rect{rect.left + 1, rect.top + 1, rect.right, rect.bottom},
            surface.SystemColour(SystemColour::kHighlight));
  DrawFrame(surface, Rect{rect.left, rect.top, rect.right - 1, rect.bottom - 1},
            surface.SystemColour(SystemColour::kShadow));
}

void DrawFocusRect(Surface& surface, const Rect& rect) {
  const Rgb colour = surface.SystemColour(SystemColour::kWindowText);
  for (int x = rect.left; x < rect.right; x += 2) {
    surface.FillRect(Rect{x, rect.top, x + 1, rect.top + 1}, colour);
    surface.FillRect(Rect{x, rect.bottom - 1, x + 1, rect.bottom}, colour);
  }
  for (int y = rect.top; y < rect.bottom; y += 2) {
    surface.FillRect(Rect{rect.left, y, rect.left + 1, y + 1}, colour);
    surface.FillRect(Rect{rect.right - 1, y, rect.right, y + 1}, colour);
  }
}

void DrawPushButton(Surface& surface, const Rect& rect, std::string_view gbk_text,
                    ButtonLook look) {
  surface.FillRect(rect, surface.SystemColour(SystemColour::kFace));
  Rect body = rect;
  if (look.is_default || look.focused) {
    DrawFrame(surface, rect, surface.SystemColour(SystemColour::kDarkShadow));
    body = Inset(rect, 1);
  }
  if (look.pressed) {
    DrawFrame(surface, body, surface.SystemColour(SystemColour::kShadow));
  } else {
    DrawRaisedEdge(surface, body);
  }
  Rect text = Inset(body, 2);
  if (look.pressed) {
    text.left += 1;
    text.top += 1;
    text.right += 1;
    text.bottom += 1;
  }
  surface.SetBackgroundMode(BackgroundMode::kTransparent);
  surface.SetTextColour(surface.SystemColour(SystemColour::kWindowText));
  const Font previous = surface.SelectFont(Font::kDialog);
  surface.DrawText(gbk_text, text, LineFormat(HorizontalAlign::kCentre, true));
  surface.SelectFont(previous);
  if (look.focused) DrawFocusRect(surface, Inset(body, 3));
}

void DrawGroupBox(Surface& surface, const Rect& rect, std::string_view gbk_text) {
  const Font previous = surface.SelectFont(Font::kDialog);
  const Size caption = surface.MeasureText(gbk_text.empty() ? "M" : gbk_text, Font::kDialog, true);
  const int frame_top = rect.top + caption.height / 2;
  DrawEtchedFrame(surface, Rect{rect.left, frame_top, rect.right, rect.bottom});
  if (!gbk_text.empty()) {
    const int left = rect.left + 8;
    const Rect text{left, rect.top, left + caption.width + 4, rect.top + caption.height};
    surface.FillRect(text, surface.SystemColour(SystemColour::kFace));
    surface.SetBackgroundMode(BackgroundMode::kTransparent);
    surface.SetTextColour(surface.SystemColour(SystemColour::kWindowText));
    surface.DrawText(gbk_text, Rect{text.left + 2, text.top, text.right, text.bottom},
                     LineFormat(HorizontalAlign::kLeft, true));
  }
  surface.SelectFont(previous);
}

void DrawStaticText(Surface& surface, const Rect& rect, std::string_view gbk_text,
                    HorizontalAlign align, bool mnemonics) {
  TextFormat format;
  format.align = align;
  format.word_wrap = true;
  format.mnemonics = mnemonics;
  const Font previous = surface.SelectFont(Font::kDialog);
  surface.SetBackgroundMode(BackgroundMode::kTransparent);
  surface.SetTextColour(surface.SystemColour(SystemColour::kWindowText));
  surface.DrawText(gbk_text, rect, format);
  surface.SelectFont(previous);
}

Rect EditTextRect(const Rect& rect) {
  // Inside the two-pixel sunken edge, two pixels of padding on the sides and one above and
  // below, so that neither the text nor its selection touches the border.
  return Rect{rect.left + 4, rect.top + 3, rect.right - 4, rect.bottom - 3};
}

void DrawEditField(Surface& surface, const Rect& rect, const EditField& field, bool focused) {
  surface.FillRect(rect, surface.SystemColour(SystemColour::kWindow));
  DrawSunkenEdge(surface, rect);
  const Rect inner = EditTextRect(rect);
  const Font previous = surface.SelectFont(Font::kDialog);
  surface.SetBackgroundMode(BackgroundMode::kTransparent);
  const std::string& text = field.text();
  auto x_of = [&](std::size_t bytes) {
    return inner.left +
           surface.MeasureText(std::string_view(text).substr(0, bytes), Font::kDialog, false).width;
  };
  const TextFormat format = LineFormat(HorizontalAlign::kLeft, false);
  surface.SetTextColour(surface.SystemColour(SystemColour::kWindowText));
  surface.DrawText(text, inner, format);
  if (focused && field.has_selection()) {
    const int start = x_of(field.selection_start());
    const int end = x_of(field.selection_end());
    const Rect selected{start, inner.top, end, inner.bottom};
    surface.FillRect(selected, surface.SystemColour(SystemColour::kSelection));
    surface.SetTextColour(surface.SystemColour(SystemColour::kSelectionText));
    surface.DrawText(std::string_view(text).substr(field.selection_start(),
                                                   field.selection_end() - field.selection_start()),
                     selected, format);
  }
  if (focused) {
    const int caret = x_of(field.caret());
    surface.FillRect(Rect{caret, inner.top, caret + 1, inner.bottom},
                     surface.SystemColour(SystemColour::kWindowText));
  }
  surface.SelectFont(previous);
}

void DrawExclamationIcon(Surface& surface, int x, int y) {
  constexpr Rgb kYellow{255, 255, 0};
  constexpr Rgb kOutline{128, 128, 0};
  // The triangle, one row at a time, widening from the apex at the top centre.
  for (int row = 0; row < 29; ++row) {
    const int half = row * 15 / 28;
    const int left = x + 16 - half - 1;
    const int right = x + 16 + half + 1;
    surface.FillRect(Rect{left, y + 2 + row, right, y + 3 + row}, kOutline);
    if (right - left > 2 && row < 28) {
      surface.FillRect(Rect{left + 1, y + 2 + row, right - 1, y + 3 + row}, kYellow);
    }
  }
  surface.FillRect(Rect{x + 14, y + 10, x + 18, y + 23}, kBlack);
  surface.FillRect(Rect{x + 14, y + 25, x + 18, y + 29}, kBlack);
}

}  // namespace rolvi::platform::widgets
