#include "platform/web/page_window.h"

#include <algorithm>

namespace rolvi::platform::web {
namespace {

bool Contains(const Rect& rect, int x, int y) {
  return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// 0x00RRGGBB as the bytes red, green, blue and an opaque alpha.
std::uint32_t ToRgba(std::uint32_t pixel) {
  return 0xFF000000u | (pixel & 0xFFu) << 16 | (pixel & 0xFF00u) | (pixel >> 16 & 0xFFu);
}

// Copies the part of `source` that falls inside `into`, placed at (x, y) of the canvas.
void CopyRgba(std::vector<std::uint32_t>& canvas, int canvas_width, const Rect& into,
              const SoftSurface& source, int x, int y) {
  const int left = std::max(into.left, x);
  const int top = std::max(into.top, y);
  const int right = std::min(into.right, x + source.width());
  const int bottom = std::min(into.bottom, y + source.height());
  if (left >= right || top >= bottom) return;
  const std::span<const std::uint32_t> pixels = source.pixels();
  for (int row = top; row < bottom; ++row) {
    const std::uint32_t* from =
        pixels.data() + static_cast<std::size_t>((row - y) * source.width() + (left - x));
    std::uint32_t* to = canvas.data() + static_cast<std::size_t>(row * canvas_width + left);
    std::transform(from, from + (right - left), to, ToRgba);
  }
}

}  // namespace

PageWindow::PageWindow(Page& page, FrameStyle style, PageWindowKind kind,
                       std::string_view gbk_caption, Size content, const IconPicture* icon)
    : page_(page),
      style_(style),
      caption_(gbk_caption),
      icon_(icon),
      layout_(LayOutFrame(style, content)) {
  id_ = page_.OpenWindow(layout_.outer, kind);
}

PageWindow::~PageWindow() {
  page_.CloseWindow(id_);
}

Rect PageWindow::OuterRect() const {
  return Rect{position_.x, position_.y, position_.x + layout_.outer.width,
              position_.y + layout_.outer.height};
}

void PageWindow::MoveTo(Point outer_top_left) {
  if (outer_top_left == position_) return;
  position_ = outer_top_left;
  page_.PlaceWindow(id_, position_);
}

void PageWindow::ResizeContent(Size content) {
  const FrameLayout layout = LayOutFrame(style_, content);
  if (layout.outer == layout_.outer) return;
  layout_ = layout;
  frame_drawn_ = false;
  presented_ = false;
  page_.ResizeWindow(id_, layout_.outer);
}

void PageWindow::Show() {
  if (shown_) return;
  shown_ = true;
  page_.PlaceWindow(id_, position_);
  page_.ShowWindow(id_);
}

void PageWindow::Hide() {
  if (!shown_) return;
  shown_ = false;
  presented_ = false;
  page_.HideWindow(id_);
}

void PageWindow::SetActive(bool active) {
  if (look_.active == active) return;
  look_.active = active;
  frame_drawn_ = false;
}

FrameInput PageWindow::OnFrameMouse(PageEvent::Kind kind, int x, int y) {
  const bool on_content = Contains(layout_.content, x, y);
  const bool on_close_box = Contains(layout_.close_box, x, y);
  const FrameInput under = on_content ? FrameInput::kNotFrame : FrameInput::kHandled;
  switch (kind) {
    case PageEvent::Kind::kMouseDown:
      press_ = on_content ? Press::kContent : on_close_box ? Press::kCloseBox : Press::kFrame;
      SetClosePressed(on_close_box);
      return under;
    case PageEvent::Kind::kMouseMove:
      if (press_ == Press::kNone) return under;
      if (press_ == Press::kContent) return FrameInput::kNotFrame;
      // A held close box looks pressed while the pointer is over it, as a button does.
      if (press_ == Press::kCloseBox) SetClosePressed(on_close_box);
      return FrameInput::kHandled;
    case PageEvent::Kind::kMouseUp: {
      const Press press = press_;
      press_ = Press::kNone;
      SetClosePressed(false);
      if (press == Press::kNone) return under;
      if (press == Press::kContent) return FrameInput::kNotFrame;
      return press == Press::kCloseBox && on_close_box ? FrameInput::kClose : FrameInput::kHandled;
    }
    default:
      return FrameInput::kNotFrame;
  }
}

void PageWindow::SetClosePressed(bool pressed) {
  if (look_.close_pressed == pressed) return;
  look_.close_pressed = pressed;
  frame_drawn_ = false;
}

void PageWindow::DrawFrame() {
  if (frame_.width() != layout_.outer.width || frame_.height() != layout_.outer.height) {
    frame_.Resize(layout_.outer.width, layout_.outer.height);
  }
  DrawWindowFrame(frame_, layout_, caption_, look_, icon_);
  frame_drawn_ = true;
}

void PageWindow::Present(std::initializer_list<Layer> layers) {
  if (!shown_) return;
  if (!frame_drawn_) DrawFrame();
  const Size outer = layout_.outer;
  rgba_.resize(static_cast<std::size_t>(outer.width) * static_cast<std::size_t>(outer.height));
  const Rect whole{0, 0, outer.width, outer.height};
  CopyRgba(rgba_, outer.width, whole, frame_, 0, 0);
  for (const Layer& layer : layers) {
    if (layer.surface == nullptr) continue;
    CopyRgba(rgba_, outer.width, layout_.content, *layer.surface, layout_.content.left + layer.x,
             layout_.content.top + layer.y);
    layer.surface->ForgetChanges();
  }
  PutOnCanvas(whole);
  presented_ = true;
}

bool PageWindow::PresentChanges(std::initializer_list<Layer> layers) {
  if (!shown_ || !presented_) return false;
  PresentFrame();
  const Rect content = layout_.content;
  for (const Layer& layer : layers) {
    if (layer.surface == nullptr) continue;
    const int x = content.left + layer.x;
    const int y = content.top + layer.y;
    for (const Rect& changed : layer.surface->changes()) {
      const Rect on_canvas{
          std::max(content.left, x + changed.left), std::max(content.top, y + changed.top),
          std::min(content.right, x + changed.right), std::min(content.bottom, y + changed.bottom)};
      if (on_canvas.left >= on_canvas.right || on_canvas.top >= on_canvas.bottom) continue;
      CopyRgba(rgba_, layout_.outer.width, on_canvas, *layer.surface, x, y);
      PutOnCanvas(on_canvas);
    }
    layer.surface->ForgetChanges();
  }
  return true;
}

void PageWindow::PresentFrame() {
  if (!shown_ || !presented_ || frame_drawn_) return;
  DrawFrame();
  // The four strips around the content.
  const Size outer = layout_.outer;
  const Rect content = layout_.content;
  for (const Rect& strip :
       {Rect{0, 0, outer.width, content.top}, Rect{0, content.bottom, outer.width, outer.height},
        Rect{0, content.top, content.left, content.bottom},
        Rect{content.right, content.top, outer.width, content.bottom}}) {
    if (strip.left >= strip.right || strip.top >= strip.bottom) continue;
    CopyRgba(rgba_, outer.width, strip, frame_, 0, 0);
    PutOnCanvas(strip);
  }
}

void PageWindow::PutOnCanvas(const Rect& part) {
  page_.Present(id_, rgba_, layout_.outer, part);
}

}  // namespace rolvi::platform::web
