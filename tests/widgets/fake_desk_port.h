// A port for the desk's tests: windows kept as records with the pixels their presents put
// there, a log of the calls that move, show and focus them, a script of events and checks the
// desk's loop consumes in order, and a virtual clock that sleeps and waits advance. A loop that
// waits with the script used up ends the run by throwing OutOfScript.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/widgets/desk_port.h"

namespace rolvi::testing {

class OutOfScript : public std::runtime_error {
 public:
  OutOfScript() : std::runtime_error("the desk waited with the script used up") {}
};

struct FakeWindow {
  platform::widgets::WindowSpec spec;
  std::string caption;
  platform::Size content;
  platform::Rect outer;
  bool shown = false;
  int whole_presents = 0;
  std::vector<platform::Rect>
      changes_presented;  // by the presents of changes since the last whole one
  platform::Size covered;
  std::vector<std::uint32_t>
      pixels;  // covered.width by covered.height, what the presents put there
  std::vector<platform::Layer> layers;  // those of the last present
};

class FakeDeskPort final : public platform::widgets::DeskPort {
 public:
  using Check = std::function<void()>;
  static constexpr int kMain = 1;

  FakeDeskPort();

  // Script steps, consumed in order.
  void Push(platform::widgets::DeskEvent event);
  void Do(Check check);
  void Wait(int milliseconds);
  // Events of the usual kinds.
  void Key(platform::widgets::Key key, bool alt = false, int function = 0, int window = kMain);
  void Character(char character, bool alt = false);
  void Click(int window, int x, int y);
  void Event(platform::widgets::DeskEvent::Kind kind, int window = kMain);

  FakeWindow& window(int id) { return windows_.at(id); }
  bool has_window(int id) const { return windows_.contains(id); }
  int newest_window() const { return windows_.rbegin()->first; }
  // Whether the window's pixels equal a fresh composition of its last present's layers.
  bool ShowsItsLayers(int id);
  std::vector<std::string>& log() { return log_; }
  std::vector<int>& waits() { return waits_; }
  bool stop_signalled = false;
  // How much later than asked each sleep ends, as a busy system wakes a program.
  int late_wakeup = 0;
  // TellProblem's answer: true for a port whose own way is all (a notice on the page).
  bool problems_told_aside = false;
  std::vector<std::string>& problems() { return problems_; }

  // DeskPort
  std::uint32_t Now() override { return clock_; }
  bool NextEvent(platform::widgets::DeskEvent& event) override;
  void WaitForEvent(int timeout_ms) override;
  void Sleep(int milliseconds) override;
  bool StopSignalled() override { return stop_signalled; }
  bool Sound() override { return true; }
  bool TellProblem(std::string_view gbk_text) override {
    problems_.emplace_back(gbk_text);
    return problems_told_aside;
  }
  int OpenWindow(const platform::widgets::WindowSpec& spec) override;
  void CloseWindow(int id) override;
  void ResizeWindow(int id, platform::Size content) override;
  void PlaceWindow(int id, const platform::widgets::Placement& placement) override;
  platform::Rect OuterRect(int id) const override { return windows_.at(id).outer; }
  platform::Size ScreenArea() const override { return {1000, 800}; }
  void ShowWindow(int id, bool shown) override;
  void FocusWindow(int id, bool raise) override;
  void SetModalWindow(int id) override;
  void PresentAll(int id, platform::Size covered,
                  std::initializer_list<platform::Layer> layers) override;
  bool PresentChanges(int id, std::initializer_list<platform::Layer> layers) override;
  platform::Size ContentSize(int id) override { return windows_.at(id).content; }
  void SetMinimumContentSize(int id, platform::Size content) override;
  void PlaceMenuButton(int id, const platform::Rect& content_rect) override;
  void MenuCheckChanged(int command, bool checked) override;

 private:
  struct Step {
    std::optional<platform::widgets::DeskEvent> event;
    Check check;
    int wait_ms = 0;
  };
  void Note(std::string entry) { log_.push_back(std::move(entry)); }
  void Copy(FakeWindow& window, const platform::Layer& layer, const platform::Rect& part);

  std::deque<Step> script_;
  std::uint32_t clock_ = 1000;
  std::map<int, FakeWindow> windows_;
  int next_window_ = 2;
  std::vector<std::string> log_;
  std::vector<int> waits_;             // the timeouts the desk waited with
  std::vector<std::string> problems_;  // what TellProblem was told
};

}  // namespace rolvi::testing
