// A page for the web window system's tests: canvases kept as pixel buffers, a script of
// events and checks that the event loop consumes in order, and a virtual clock that sleeps
// and waits advance. A loop that waits with the script used up ends the test's run by
// throwing ScriptEnded.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/web/page.h"
#include "platform/web/storage_file_system.h"

namespace rolvi::testing {

class ScriptEnded : public std::runtime_error {
 public:
  ScriptEnded() : std::runtime_error("the event loop waited with the script used up") {}
};

struct FakeCanvas {
  platform::Size size;
  platform::Point at;
  bool shown = false;
  bool open = true;
  int presents = 0;
  std::int64_t copied_bytes = 0;    // put on the canvas by every present so far
  std::vector<std::uint32_t> rgba;  // what the presents put on it

  // The presented pixel at (x, y).
  platform::Rgb Pixel(int x, int y) const;
};

class FakePage final : public platform::web::Page {
 public:
  using Check = std::function<void()>;

  // Script steps, consumed in order; steps added by a check come right after it.
  void Push(platform::web::PageEvent event) { Add({std::move(event), nullptr, 0}); }
  // Runs when the loop has handled every event before it.
  void Do(Check check) { Add({std::nullopt, std::move(check), 0}); }
  // Lets that much time pass with no input.
  void Wait(int milliseconds) { Add({std::nullopt, nullptr, milliseconds}); }

  // Events of the usual kinds; mouse positions in the window's canvas pixels.
  void Mouse(platform::web::PageEvent::Kind kind, int window, int x, int y) {
    Push({.kind = kind, .window = window, .x = x, .y = y, .code = {}, .key = {}, .text = {}});
  }
  void Click(int window, int x, int y) {
    Mouse(platform::web::PageEvent::Kind::kMouseDown, window, x, y);
    Mouse(platform::web::PageEvent::Kind::kMouseUp, window, x, y);
  }
  void Press(std::string code, std::string key, int modifiers = 0, std::string text = "");
  // A printable character key, which types itself.
  void Type(std::string_view characters);

  // A touch screen's page of `points`, and what the player has typed in its text input.
  void SetTouchScreen(platform::Size points) {
    touch_ = true;
    view_ = points;
  }
  void SetFieldText(std::string gbk_text) { field_typed_ = std::move(gbk_text); }

  int slept_ms() const { return slept_ms_; }
  struct TextField {
    int window = 0;
    platform::Rect rect;
    std::string text;  // GBK, as the program last set it
    int updates = 0;
  };
  const std::optional<TextField>& text_field() const { return text_field_; }
  platform::web::PageWindowKind kind(int window) const { return kinds_.at(window); }
  const std::optional<platform::Rect>& menu_button() const { return menu_button_; }
  const std::string& menu_json() const { return menu_json_; }
  const std::map<int, bool>& menu_checks() const { return menu_checks_; }
  const FakeCanvas& canvas(int window) const { return canvases_.at(window); }
  const std::string& title() const { return title_; }
  platform::Rect desk() const { return desk_; }
  bool closed_shown() const { return closed_shown_; }
  // The notices shown so far, GBK, in order.
  const std::vector<std::string>& notices() const { return notices_; }

  // Page
  bool TouchScreen() override { return touch_; }
  platform::Size ViewSize() override { return view_; }
  std::uint32_t Now() override { return clock_; }
  bool NextEvent(platform::web::PageEvent& event) override;
  void WaitForEvent(int timeout_ms) override;
  void Sleep(int milliseconds) override {
    clock_ += static_cast<std::uint32_t>(milliseconds);
    slept_ms_ += milliseconds;
  }
  void SetDesk(const platform::Rect& area) override { desk_ = area; }
  int OpenWindow(platform::Size size, platform::web::PageWindowKind kind) override {
    canvases_[next_window_].size = size;
    kinds_[next_window_] = kind;
    return next_window_++;
  }
  void CloseWindow(int window) override {
    canvases_.at(window).open = canvases_.at(window).shown = false;
    if (text_field_ && text_field_->window == window) text_field_.reset();
  }
  void ResizeWindow(int window, platform::Size size) override {
    canvases_.at(window).size = size;
    canvases_.at(window).rgba.clear();
  }
  void PlaceWindow(int window, platform::Point at) override { canvases_.at(window).at = at; }
  void ShowWindow(int window) override { canvases_.at(window).shown = true; }
  void HideWindow(int window) override {
    canvases_.at(window).shown = false;
    if (text_field_ && text_field_->window == window) text_field_.reset();
  }
  void Present(int window, std::span<const std::uint32_t> rgba, platform::Size size,
               const platform::Rect& dirty) override;
  void PlaceMenuButton(int /*window*/, const platform::Rect& rect) override { menu_button_ = rect; }
  void SetMenu(std::string_view json) override { menu_json_ = json; }
  void SetMenuCheck(int command, bool checked) override { menu_checks_[command] = checked; }
  void ShowTextField(int window, const platform::Rect& rect, std::string_view gbk_text) override {
    if (!text_field_ || text_field_->window != window) text_field_ = TextField{window, {}, {}, 0};
    text_field_->rect = rect;
    text_field_->text = gbk_text;
    ++text_field_->updates;
  }
  std::string TextFieldText() override { return field_typed_; }
  void SetTitle(std::string_view gbk_title) override { title_ = gbk_title; }
  void ShowNotice(std::string_view gbk_text) override { notices_.emplace_back(gbk_text); }
  bool Chime() override { return true; }
  void ShowClosed() override { closed_shown_ = true; }

 private:
  struct Step {
    std::optional<platform::web::PageEvent> event;
    Check check;
    int wait_ms = 0;
  };
  // Runs the checks and waits at the front of the script; a wait longer than the loop's
  // timeout passes in parts, so that the loop serves its timer meanwhile.
  void RunLeadingSteps(int timeout_ms);

  void Add(Step step) { (inserted_ != nullptr ? *inserted_ : script_).push_back(std::move(step)); }

  std::deque<Step> script_;
  std::deque<Step>* inserted_ = nullptr;  // where a running check's steps go
  std::uint32_t clock_ = 1000;
  int slept_ms_ = 0;
  std::map<int, FakeCanvas> canvases_;
  int next_window_ = 1;
  std::string title_;
  std::vector<std::string> notices_;
  platform::Rect desk_;
  bool touch_ = false;
  platform::Size view_{1280, 800};
  std::map<int, platform::web::PageWindowKind> kinds_;
  std::optional<platform::Rect> menu_button_;
  std::string menu_json_;
  std::map<int, bool> menu_checks_;
  std::optional<TextField> text_field_;
  std::string field_typed_;
  bool closed_shown_ = false;
};

// Local storage for the tests: a map, and a switch that makes every write fail.
class FakeStore final : public platform::web::KeyValueStore {
 public:
  std::optional<std::string> Read(std::string_view key) override {
    const auto found = values.find(key);
    return found == values.end() ? std::nullopt : std::optional(found->second);
  }
  platform::FileError Write(std::string_view key, std::string_view value) override {
    if (full) return platform::FileError::kFull;
    ++writes;
    values[std::string(key)] = value;
    return platform::FileError::kNone;
  }

  std::map<std::string, std::string, std::less<>> values;
  bool full = false;
  int writes = 0;  // values stored
};

}  // namespace rolvi::testing
