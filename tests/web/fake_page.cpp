#include "web/fake_page.h"

#include <gtest/gtest.h>

namespace rolvi::testing {

using platform::web::PageEvent;

platform::Rgb FakeCanvas::Pixel(int x, int y) const {
  const std::uint32_t rgba_pixel = rgba.at(static_cast<std::size_t>(y * size.width + x));
  return {static_cast<std::uint8_t>(rgba_pixel), static_cast<std::uint8_t>(rgba_pixel >> 8),
          static_cast<std::uint8_t>(rgba_pixel >> 16)};
}

void FakePage::Press(std::string code, std::string key, int modifiers, std::string text) {
  PageEvent down{.kind = PageEvent::Kind::kKeyDown,
                 .modifiers = modifiers,
                 .code = std::move(code),
                 .key = std::move(key),
                 .text = std::move(text)};
  PageEvent up = down;
  up.kind = PageEvent::Kind::kKeyUp;
  up.text.clear();
  Push(std::move(down));
  Push(std::move(up));
}

// Letters are named by their key's position ("KeyA"), capitals typed with Shift.
void FakePage::Type(std::string_view characters) {
  for (const char c : characters) {
    const bool capital = c >= 'A' && c <= 'Z';
    const char letter = capital ? c : static_cast<char>(c - 'a' + 'A');
    Press(c == ' ' ? "Space" : std::string("Key") + letter, std::string(1, c),
          capital ? platform::web::kModifierShift : 0, std::string(1, c));
  }
}

void FakePage::RunLeadingSteps(int timeout_ms) {
  while (!script_.empty() && !script_.front().event) {
    Step& front = script_.front();
    if (!front.check && timeout_ms >= 0 && front.wait_ms >= timeout_ms) {
      clock_ += static_cast<std::uint32_t>(timeout_ms);
      front.wait_ms -= timeout_ms;
      if (front.wait_ms == 0) script_.pop_front();
      return;
    }
    Step step = std::move(front);
    script_.pop_front();
    if (step.check) {
      // What the check adds comes next, before the rest of the script.
      std::deque<Step> inserted;
      inserted_ = &inserted;
      step.check();
      inserted_ = nullptr;
      script_.insert(script_.begin(), std::make_move_iterator(inserted.begin()),
                     std::make_move_iterator(inserted.end()));
    } else {
      clock_ += static_cast<std::uint32_t>(step.wait_ms);
    }
  }
}

bool FakePage::NextEvent(PageEvent& event) {
  if (script_.empty() || !script_.front().event) return false;
  event = std::move(*script_.front().event);
  script_.pop_front();
  return true;
}

void FakePage::WaitForEvent(int timeout_ms) {
  if (script_.empty()) throw ScriptEnded();
  RunLeadingSteps(timeout_ms);
  if (script_.empty()) throw ScriptEnded();
}

void FakePage::Present(int window, std::span<const std::uint32_t> rgba, platform::Size size,
                       const platform::Rect& dirty) {
  FakeCanvas& canvas = canvases_.at(window);
  EXPECT_TRUE(canvas.open) << "presented on closed window " << window;
  EXPECT_EQ(size, canvas.size) << "presented size of window " << window;
  const auto pixels = static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height);
  ASSERT_GE(rgba.size(), pixels);
  ASSERT_TRUE(dirty.left >= 0 && dirty.top >= 0 && dirty.right <= size.width &&
              dirty.bottom <= size.height && dirty.left < dirty.right && dirty.top < dirty.bottom)
      << "window " << window << " presents " << dirty.left << "," << dirty.top << " to "
      << dirty.right << "," << dirty.bottom;
  // A resized canvas starts blank, as a browser's does.
  if (canvas.rgba.size() != pixels) canvas.rgba.assign(pixels, 0);
  for (int y = dirty.top; y < dirty.bottom; ++y) {
    const auto row = static_cast<std::size_t>(y) * static_cast<std::size_t>(size.width);
    std::copy(rgba.begin() + static_cast<std::ptrdiff_t>(row + dirty.left),
              rgba.begin() + static_cast<std::ptrdiff_t>(row + dirty.right),
              canvas.rgba.begin() + static_cast<std::ptrdiff_t>(row + dirty.left));
  }
  canvas.copied_bytes += 4LL * dirty.width() * dirty.height();
  ++canvas.presents;
}

}  // namespace rolvi::testing
