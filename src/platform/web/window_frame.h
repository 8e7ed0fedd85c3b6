// The frame the page draws around each of its windows, in a classic desktop's look: a raised
// border, a title bar with the caption (and, on the main window, the program's icon) and a
// close box. Where the parts lie, their drawing, and the icon made small for the title bar.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "platform/software/icon_file.h"
#include "platform/software/soft_surface.h"
#include "platform/window_system.h"

namespace rolvi::platform::web {

// The main window has a 4-pixel border and the icon, as a resizable window of a classic
// desktop has; dialogs a 3-pixel border and no icon. On a touch screen the main window has no
// frame at all, and dialogs a title bar with a close box large enough for a finger.
enum class FrameStyle { kMain, kDialog, kBare, kTouchDialog };

inline constexpr int kTitleBarHeight = 18;
inline constexpr Size kCloseBoxSize{16, 14};
inline constexpr int kCaptionIconSide = 16;
inline constexpr int kTouchTitleBarHeight = kTouchTargetSide + 4;

// Where the parts of a framed window lie, in its canvas pixels.
struct FrameLayout {
  Size outer;
  Rect content;
  Rect title_bar;  // empty without a frame
  Rect close_box;
  bool touch = false;  // the caption and the close box's cross are drawn larger
};

FrameLayout LayOutFrame(FrameStyle style, Size content);

struct FrameLook {
  bool active = true;          // the window with the keyboard: caption colours, else greyed
  bool close_pressed = false;  // the close box held down
};

// Draws the border, title bar and close box on `surface`, which is the window's whole canvas;
// the content rectangle is left as it is. `icon` is drawn at the title bar's left when given.
void DrawWindowFrame(SoftSurface& surface, const FrameLayout& layout, std::string_view gbk_caption,
                     FrameLook look, const IconPicture* icon);

// The icon's first picture at the title bar's size: each 2 by 2 block of a 32 by 32 picture
// becomes the mean of its opaque pixels, opaque where at least two of them are. Nothing for
// a picture of another size.
std::optional<IconPicture> CaptionIcon(const IconPicture& icon);

}  // namespace rolvi::platform::web
