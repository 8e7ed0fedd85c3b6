// Drawing of the classic desktop elements through a Surface: 3-D frames, push buttons,
// group boxes, static texts, the edit field, the focus rectangle and the exclamation icon.
#pragma once

#include <string_view>

#include "platform/surface.h"
#include "platform/widgets/edit_field.h"

namespace rolvi::platform::widgets {

void DrawLine(Surface& surface, int x0, int y0, int x1, int y1, Rgb colour);
// A one-pixel frame just inside `rect`.
void DrawFrame(Surface& surface, const Rect& rect, Rgb colour);
// Two-pixel raised frame (buttons, drop-down menus) and sunken frame (edit fields).
void DrawRaisedEdge(Surface& surface, const Rect& rect);
void DrawSunkenEdge(Surface& surface, const Rect& rect);
// A one-pixel raised or sunken border (menu-bar titles).
void DrawThinEdge(Surface& surface, const Rect& rect, bool raised);
void DrawEtchedFrame(Surface& surface, const Rect& rect);
void DrawFocusRect(Surface& surface, const Rect& rect);

struct ButtonLook {
  bool is_default = false;
  bool pressed = false;
  bool focused = false;
};
void DrawPushButton(Surface& surface, const Rect& rect, std::string_view gbk_text, ButtonLook look);
void DrawGroupBox(Surface& surface, const Rect& rect, std::string_view gbk_text);
void DrawStaticText(Surface& surface, const Rect& rect, std::string_view gbk_text,
                    HorizontalAlign align, bool mnemonics);

// The edit field's inner text rectangle, where its text must fit.
Rect EditTextRect(const Rect& rect);
void DrawEditField(Surface& surface, const Rect& rect, const EditField& field, bool focused);

// A 32 x 32 warning sign with its top-left corner at (x, y).
inline constexpr int kIconSize = 32;
void DrawExclamationIcon(Surface& surface, int x, int y);

}  // namespace rolvi::platform::widgets
