#include "platform/widgets/timer_clock.h"

#include <gtest/gtest.h>

namespace rolvi::platform::widgets {
namespace {

TEST(TimerClockTest, TicksOncePerPeriodAndOnceAfterALongDelay) {
  TimerClock timer;
  EXPECT_EQ(timer.TimeUntilDue(0), std::nullopt);
  timer.Start(1000, 50);
  EXPECT_FALSE(timer.TakeTick(1049));
  EXPECT_EQ(timer.TimeUntilDue(1049), 1u);
  EXPECT_TRUE(timer.TakeTick(1050));
  EXPECT_FALSE(timer.TakeTick(1050));
  EXPECT_EQ(timer.TimeUntilDue(1060), 40u);
  // An animation held the loop for 1.18 s: one tick is delivered, not a burst, and the grid
  // of due times is kept: the next at 2250.
  EXPECT_TRUE(timer.TakeTick(2230));
  EXPECT_FALSE(timer.TakeTick(2249));
  EXPECT_EQ(timer.TimeUntilDue(2230), 20u);
  EXPECT_TRUE(timer.TakeTick(2250));
}

TEST(TimerClockTest, StoppedTimersAndTheClockWrapping) {
  TimerClock timer;
  timer.Start(0xFFFFFFF0u, 50);  // due 34 ms after the 32-bit clock wraps
  EXPECT_FALSE(timer.TakeTick(0xFFFFFFFFu));
  EXPECT_FALSE(timer.TakeTick(33));
  EXPECT_TRUE(timer.TakeTick(34));
  timer.Stop();
  EXPECT_FALSE(timer.TakeTick(1000));
  EXPECT_EQ(timer.TimeUntilDue(1000), std::nullopt);
}

}  // namespace
}  // namespace rolvi::platform::widgets
