// One window on the page: a canvas with the frame drawn around its content. It keeps its
// place on the desk, its caption's look and the close box's state, composes the frame with
// the content's layers and presents the result on its canvas, whole or only what changed.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/software/layer.h"
#include "platform/software/soft_surface.h"
#include "platform/web/page.h"
#include "platform/web/window_frame.h"

namespace rolvi::platform::web {

// What a mouse event on a window's frame did.
enum class FrameInput { kNotFrame, kHandled, kClose };

class PageWindow {
 public:
  PageWindow(Page& page, FrameStyle style, PageWindowKind kind, std::string_view gbk_caption,
             Size content, const IconPicture* icon = nullptr);
  ~PageWindow();
  PageWindow(const PageWindow&) = delete;
  PageWindow& operator=(const PageWindow&) = delete;

  int id() const { return id_; }
  const FrameLayout& layout() const { return layout_; }
  const std::string& caption() const { return caption_; }
  bool shown() const { return shown_; }
  bool active() const { return look_.active; }
  // The frame's look changed since it was last presented.
  bool frame_stale() const { return !frame_drawn_; }
  // The outer rectangle on the desk.
  Rect OuterRect() const;

  void MoveTo(Point outer_top_left);
  void ResizeContent(Size content);
  void Show();
  void Hide();
  // Active windows draw their caption in the caption colours; the frame is shown at the next
  // Present.
  void SetActive(bool active);

  // A mouse event at (x, y) in canvas pixels. A press belongs to the frame or to the content,
  // wherever it lies, and so do the moves and the release that follow it; moves without a
  // press belong to what is under them. A press on the close box and its release there close
  // the window.
  FrameInput OnFrameMouse(PageEvent::Kind kind, int x, int y);

  // Composes the frame with the layers, in order, and puts the result on the canvas; the
  // layers' changes are then forgotten. Does nothing while the window is hidden.
  void Present(std::initializer_list<Layer> layers);
  // Puts only what was drawn on the layers since they were last presented, and a frame whose
  // look changed, on the canvas, and forgets the changes. False, with nothing done, where the
  // canvas holds no whole present to build on (never presented, resized, or hidden).
  bool PresentChanges(std::initializer_list<Layer> layers);
  // Puts the frame on the canvas if its look changed since it was last presented.
  void PresentFrame();

 private:
  void DrawFrame();
  void SetClosePressed(bool pressed);
  void PutOnCanvas(const Rect& part);

  Page& page_;
  FrameStyle style_;
  std::string caption_;  // GBK
  const IconPicture* icon_;
  FrameLayout layout_;
  int id_ = 0;
  Point position_;
  bool shown_ = false;
  FrameLook look_;
  enum class Press { kNone, kFrame, kCloseBox, kContent };
  Press press_ = Press::kNone;
  SoftSurface frame_{1, 1};
  bool frame_drawn_ = false;
  bool presented_ = false;  // the canvas shows rgba_ whole
  std::vector<std::uint32_t> rgba_;
};

}  // namespace rolvi::platform::web
