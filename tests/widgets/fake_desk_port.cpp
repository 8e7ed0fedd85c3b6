#include "widgets/fake_desk_port.h"

#include <algorithm>

namespace rolvi::testing {

using platform::Layer;
using platform::Point;
using platform::Rect;
using platform::Size;
using platform::widgets::DeskEvent;
using platform::widgets::KeyEvent;
using platform::widgets::Placement;

namespace {

std::string Text(const Rect& rect) {
  return std::to_string(rect.left) + "," + std::to_string(rect.top) + "-" +
         std::to_string(rect.right) + "," + std::to_string(rect.bottom);
}

}  // namespace

FakeDeskPort::FakeDeskPort() {
  FakeWindow& main = windows_[kMain];
  main.caption = "main";
  main.outer = Rect{100, 100, 720, 520};
}

void FakeDeskPort::Push(DeskEvent event) {
  script_.push_back({std::move(event), nullptr, 0});
}

void FakeDeskPort::Do(Check check) {
  script_.push_back({std::nullopt, std::move(check), 0});
}

void FakeDeskPort::Wait(int milliseconds) {
  script_.push_back({std::nullopt, nullptr, milliseconds});
}

void FakeDeskPort::Key(platform::widgets::Key key, bool alt, int function, int window) {
  DeskEvent down{.kind = DeskEvent::Kind::kKeyDown,
                 .window = window,
                 .key = KeyEvent{.key = key, .function = function, .alt = alt}};
  DeskEvent up = down;
  up.kind = DeskEvent::Kind::kKeyUp;
  Push(down);
  Push(up);
}

void FakeDeskPort::Character(char character, bool alt) {
  DeskEvent down{
      .kind = DeskEvent::Kind::kKeyDown,
      .window = kMain,
      .key =
          KeyEvent{.key = platform::widgets::Key::kCharacter, .character = character, .alt = alt}};
  if (!alt) down.text = std::string(1, character);
  DeskEvent up = down;
  up.kind = DeskEvent::Kind::kKeyUp;
  up.text.clear();
  Push(down);
  Push(up);
}

void FakeDeskPort::Click(int window, int x, int y) {
  Push({.kind = DeskEvent::Kind::kMouseDown, .window = window, .x = x, .y = y});
  Push({.kind = DeskEvent::Kind::kMouseUp, .window = window, .x = x, .y = y});
}

void FakeDeskPort::Event(DeskEvent::Kind kind, int window) {
  Push({.kind = kind, .window = window});
}

bool FakeDeskPort::NextEvent(DeskEvent& event) {
  if (script_.empty() || !script_.front().event) return false;
  event = std::move(*script_.front().event);
  script_.pop_front();
  return true;
}

void FakeDeskPort::WaitForEvent(int timeout_ms) {
  waits_.push_back(timeout_ms);
  if (script_.empty()) throw OutOfScript();
  while (!script_.empty() && !script_.front().event) {
    Step& front = script_.front();
    if (!front.check) {
      // A wait longer than the timeout passes in parts, so that the loop serves its timer.
      const int passed = timeout_ms >= 0 ? std::min(timeout_ms, front.wait_ms) : front.wait_ms;
      clock_ += static_cast<std::uint32_t>(passed);
      front.wait_ms -= passed;
      if (front.wait_ms == 0) script_.pop_front();
      return;
    }
    const Check check = std::move(front.check);
    script_.pop_front();
    check();
  }
  if (script_.empty()) throw OutOfScript();
}

void FakeDeskPort::Sleep(int milliseconds) {
  Note("sleep " + std::to_string(milliseconds));
  clock_ += static_cast<std::uint32_t>(milliseconds + late_wakeup);
}

int FakeDeskPort::OpenWindow(const platform::widgets::WindowSpec& spec) {
  const int id = next_window_++;
  FakeWindow& window = windows_[id];
  window.spec = spec;
  window.caption = std::string(spec.gbk_caption);
  window.content = spec.content;
  window.outer = Rect{0, 0, spec.content.width + 6, spec.content.height + 24};
  Note("open " + std::to_string(id) + " owned by " + std::to_string(spec.owner));
  return id;
}

void FakeDeskPort::CloseWindow(int id) {
  windows_.erase(id);
  Note("close " + std::to_string(id));
}

void FakeDeskPort::ResizeWindow(int id, Size content) {
  FakeWindow& window = windows_.at(id);
  window.content = content;
  window.outer.right = window.outer.left + content.width + 6;
  window.outer.bottom = window.outer.top + content.height + 24;
}

void FakeDeskPort::PlaceWindow(int id, const Placement& placement) {
  FakeWindow& window = windows_.at(id);
  const Size size{window.outer.width(), window.outer.height()};
  Point at = placement.at;
  std::string how = "at";
  if (placement.how == Placement::How::kCentreOnScreen) {
    at = platform::CentreIn(ScreenArea(), size);
    how = "centred";
  } else if (placement.how == Placement::How::kCentreOver) {
    const Rect over = windows_.at(placement.over).outer;
    const Point inside = platform::CentreIn({over.width(), over.height()}, size);
    at = Point{over.left + inside.x, over.top + inside.y};
    how = "over " + std::to_string(placement.over);
  }
  window.outer = Rect{at.x, at.y, at.x + size.width, at.y + size.height};
  Note("place " + std::to_string(id) + " " + how + " " + Text(window.outer));
}

void FakeDeskPort::ShowWindow(int id, bool shown) {
  windows_.at(id).shown = shown;
  Note((shown ? "show " : "hide ") + std::to_string(id));
}

void FakeDeskPort::FocusWindow(int id, bool raise) {
  Note("focus " + std::to_string(id) + (raise ? " raised" : ""));
}

void FakeDeskPort::SetModalWindow(int id) {
  Note("modal " + std::to_string(id));
}

void FakeDeskPort::Copy(FakeWindow& window, const Layer& layer, const Rect& part) {
  const auto source = layer.surface->pixels();
  for (int y = part.top; y < part.bottom; ++y) {
    for (int x = part.left; x < part.right; ++x) {
      const int to_x = layer.x + x;
      const int to_y = layer.y + y;
      if (to_x < 0 || to_y < 0 || to_x >= window.covered.width || to_y >= window.covered.height) {
        continue;
      }
      window.pixels[static_cast<std::size_t>(to_y * window.covered.width + to_x)] =
          source[static_cast<std::size_t>(y * layer.surface->width() + x)];
    }
  }
}

void FakeDeskPort::PresentAll(int id, Size covered, std::initializer_list<Layer> layers) {
  FakeWindow& window = windows_.at(id);
  window.covered = covered;
  window.pixels.assign(static_cast<std::size_t>(covered.width * covered.height), 0);
  window.layers.assign(layers.begin(), layers.end());
  for (const Layer& layer : layers) {
    Copy(window, layer, Rect{0, 0, layer.surface->width(), layer.surface->height()});
    layer.surface->ForgetChanges();
  }
  ++window.whole_presents;
  window.changes_presented.clear();
}

bool FakeDeskPort::PresentChanges(int id, std::initializer_list<Layer> layers) {
  FakeWindow& window = windows_.at(id);
  if (window.pixels.empty()) return false;  // nothing whole to build on
  window.layers.assign(layers.begin(), layers.end());
  for (const Layer& layer : layers) {
    for (const Rect& changed : layer.surface->changes()) {
      Copy(window, layer, changed);
      window.changes_presented.push_back(Rect{layer.x + changed.left, layer.y + changed.top,
                                              layer.x + changed.right, layer.y + changed.bottom});
    }
    layer.surface->ForgetChanges();
  }
  return true;
}

void FakeDeskPort::SetMinimumContentSize(int id, Size content) {
  Note("minimum " + std::to_string(id) + " " + std::to_string(content.width) + "x" +
       std::to_string(content.height));
}

bool FakeDeskPort::ShowsItsLayers(int id) {
  FakeWindow& window = windows_.at(id);
  FakeWindow fresh = window;
  fresh.pixels.assign(window.pixels.size(), 0);
  for (const Layer& layer : window.layers)
    Copy(fresh, layer, Rect{0, 0, layer.surface->width(), layer.surface->height()});
  return fresh.pixels == window.pixels;
}

void FakeDeskPort::PlaceMenuButton(int id, const platform::Rect& content_rect) {
  Note("menu button " + std::to_string(id) + " " + Text(content_rect));
}

void FakeDeskPort::MenuCheckChanged(int command, bool checked) {
  Note("check " + std::to_string(command) + (checked ? " on" : " off"));
}

}  // namespace rolvi::testing
