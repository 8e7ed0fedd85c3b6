#include "platform/widgets/timer_clock.h"

#include <gtest/gtest.h>

namespace rolvi::platform::widgets {
namespace {

TEST(TimerClockTest, TicksOncePerPeriod) {
  TimerClock timer;
  EXPECT_EQ(timer.TimeUntilDue(0), std::nullopt);
  timer.Start(1000, 50);
  EXPECT_FALSE(timer.TakeTick(1049));
  EXPECT_EQ(timer.TimeUntilDue(1049), 1u);
  EXPECT_TRUE(timer.TakeTick(1050));
  EXPECT_FALSE(timer.TakeTick(1050));
  EXPECT_EQ(timer.TimeUntilDue(1060), 40u);
}

TEST(TimerClockTest, AfterALongAnimationOneTickIsDeliveredNotABurst) {
  TimerClock timer;
  timer.Start(0, 50);
  // An animation held the loop for 1.23 s: 24 periods passed.
  EXPECT_TRUE(timer.TakeTick(1230));
  EXPECT_FALSE(timer.TakeTick(1230));
  EXPECT_FALSE(timer.TakeTick(1249));
  EXPECT_EQ(timer.TimeUntilDue(1230), 20u);  // the grid of due times is kept: next at 1250
  EXPECT_TRUE(timer.TakeTick(1250));
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
