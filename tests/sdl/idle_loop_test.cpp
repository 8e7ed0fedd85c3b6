// What the desktop back end's loop does when nothing moves, and what it shows: an idle main
// window with nothing selected is not woken by its timer (SDL's dummy video driver, real
// time), the ticks it slept through are counted so that a later selection jumps through the
// same frames at the same ticks as a loop that woke for every tick (a virtual clock).
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/headless/headless_window_system.h"
#include "platform/memory_file_system.h"
#include "platform/sdl/sdl_support.h"
#include "platform/sdl/sdl_window_system.h"
#include "platform/widgets/timer_clock.h"
#include "res/tables.h"
#include "shell/layout.h"
#include "shell/main_window.h"
#include "support/program_assets.h"

namespace rolvi::platform::sdl {
namespace {

std::uint32_t TicksForTest() {
  return 1;
}

// Main-window handlers that start the timer and count how it reaches them.
class CountingHandlers final : public WindowHandlers {
 public:
  CountingHandlers(WindowSystem& system, bool ticks_show_something)
      : system_(system), ticks_show_something_(ticks_show_something) {}
  void OnCreate() override {
    system_.StartTimer(50);
    started_ = SDL_GetTicks();
  }
  void OnDestroy() override {}
  void OnSize(int, int) override {}
  void OnPaint(Surface&) override {}
  Size MinimumTrackSize() const override { return {100, 100}; }
  void OnCommand(int) override {}
  void OnTimer() override {
    // A tick due when the loop first runs comes from the start, not from a wake-up.
    if (SDL_GetTicks() - started_ > 100) ++woken_ticks;
  }
  bool TimerShowsNothing() const override { return !ticks_show_something_; }
  void OnSkippedTicks(std::uint32_t count) override { skipped_ticks += count; }
  void OnMouseDown(int, int) override {}
  void OnMouseUp(int, int) override {}
  void OnSessionEnding() override {}

  int woken_ticks = 0;
  std::uint32_t skipped_ticks = 0;

 private:
  WindowSystem& system_;
  bool ticks_show_something_;
  std::uint32_t started_ = 0;
};

// The main window's loop runs for about 700 ms, then the session asks it to stop (SDL_QUIT).
TEST(IdleLoopTest, OnlyTicksThatShowSomethingWakeTheLoopAndTheOthersAreCountedAfterwards) {
  for (const bool ticks_show_something : {false, true}) {
    MemoryFileSystem files;
    SdlWindowSystem system({620, 420}, res::Tables(),
                           shell::MainWindowIdentity(rolvi::testing::ProgramTexts().title), files,
                           &TicksForTest);
    std::string error;
    ASSERT_TRUE(system.Open(error)) << error;
    if (std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0) {
      GTEST_SKIP() << "the timing here is for SDL's dummy video driver";
    }
    CountingHandlers handlers(system, ticks_show_something);
    std::thread stopper([] {
      std::this_thread::sleep_for(std::chrono::milliseconds(700));
      SDL_Event quit{};
      quit.type = SDL_QUIT;
      SDL_PushEvent(&quit);
    });
    system.Run(handlers);
    stopper.join();
    if (ticks_show_something) {  // a selected ball
      EXPECT_GE(handlers.woken_ticks, 8);
      EXPECT_EQ(handlers.skipped_ticks, 0u);
    } else {  // about 14 periods passed, none woke the loop, all reach the game counted
      EXPECT_EQ(handlers.woken_ticks, 0);
      EXPECT_GE(handlers.skipped_ticks, 10u);
      EXPECT_LE(handlers.skipped_ticks, 16u);
    }
  }
}

// The main window on a headless window system, driven on a virtual clock in the order of the
// desktop loop: queued clicks first (their animations' pauses take time), then a tick that is
// due (one, however late), then the wait for the next click or tick. A loop that sleeps
// through ticks that would show nothing counts them when the next click wakes it.
struct TimedClick {
  std::uint32_t at_ms;
  int ball;  // on that ball of the first board (counted row by row), or -1: the first empty cell
};
// A jump frame drawn by a tick, or (frame -1) the counter when a click comes or at the end.
struct ShownFrame {
  std::uint32_t at_ms;
  std::uint32_t counter;
  int frame;
  friend bool operator==(const ShownFrame&, const ShownFrame&) = default;
};

std::vector<ShownFrame> PlayOnVirtualClock(bool sleep_through_ticks,
                                           const std::vector<TimedClick>& clicks,
                                           std::uint32_t end_ms) {
  MemoryFileSystem files;
  HeadlessWindowSystem system({612, 374}, 5, files);
  shell::MainWindow window(system, rolvi::testing::ProgramAssets());
  system.Attach(window);
  system.Create();
  system.Resize(612, 374);
  widgets::TimerClock timer;
  timer.Start(0, shell::kTimerPeriodMs);
  std::vector<game::CellRef> balls;
  for (int i = 0; i < game::kCellCount; ++i) {
    if (window.game().supply.board.cells[i] != game::kEmpty) balls.push_back({i % 9, i / 9});
  }
  std::vector<ShownFrame> shown;
  std::size_t next_click = 0;
  std::uint32_t now = 0;
  while (now < end_ms) {
    if (next_click < clicks.size() && clicks[next_click].at_ms <= now) {
      shown.push_back({now, window.game().turn.frameCounter, -1});
      const auto& cells = window.game().supply.board.cells;
      const auto empty =
          static_cast<int>(std::find(cells.begin(), cells.end(), game::kEmpty) - cells.begin());
      const int ball = clicks[next_click].ball;
      const game::CellRef cell = ball >= 0 ? balls.at(static_cast<std::size_t>(ball))
                                           : game::CellRef{empty % 9, empty / 9};
      const Point centre = shell::CellCentre(window.layout().board_origin, cell);
      const std::int64_t before = system.clock_ms();
      window.OnMouseDown(centre.x, centre.y);
      window.OnMouseUp(centre.x, centre.y);
      now += static_cast<std::uint32_t>(system.clock_ms() - before);
      ++next_click;
      continue;
    }
    if (timer.TakeTick(now)) {
      window.OnTimer();
      const game::TurnState& turn = window.game().turn;
      if (turn.selection == game::SelectionState::kSelected) {
        shown.push_back({now, turn.frameCounter, static_cast<int>(turn.frameCounter % 6)});
      }
      continue;
    }
    const std::uint32_t click_at = next_click < clicks.size() ? clicks[next_click].at_ms : end_ms;
    if (sleep_through_ticks && window.TimerShowsNothing()) {
      now = click_at;
      if (const std::uint32_t skipped = timer.TakeDueTicks(now)) window.OnSkippedTicks(skipped);
    } else {
      now = std::min(click_at, now + *timer.TimeUntilDue(now));
    }
  }
  shown.push_back({now, window.game().turn.frameCounter, -1});
  return shown;
}

TEST(JumpAfterIdleTest, TheSelectedBallShowsTheSameFramesAtTheSameTicks) {
  // Idle stretches of odd lengths (the counter read at every click shows the ticks slept
  // through) between: a selection, a re-selection (its first frame depends on the counter),
  // a move (animated, then three drops, then nothing selected), a new selection, a click on
  // the selected ball itself, another move, and idle to the end.
  const std::vector<TimedClick> clicks = {{1337, 0}, {1811, 1}, {2023, -1},
                                          {9001, 0}, {9177, 0}, {9603, -1}};
  const auto waking = PlayOnVirtualClock(false, clicks, 12'345);
  const auto sleeping = PlayOnVirtualClock(true, clicks, 12'345);
  ASSERT_GT(waking.size(), 20u);
  EXPECT_EQ(sleeping, waking);
}

}  // namespace
}  // namespace rolvi::platform::sdl
