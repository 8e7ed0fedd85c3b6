#include "platform/sdl/stop_signals.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <csignal>

#include "platform/sdl/event_wait.h"

namespace rolvi::platform::sdl {
namespace {

bool Readable(int fd) {
  pollfd wake{fd, POLLIN, 0};
  return poll(&wake, 1, 0) == 1;
}

TEST(StopSignalsTest, EachStopSignalIsNotedAndWakesAWaitOnThePipe) {
  for (const int signal_number : {SIGTERM, SIGINT, SIGHUP}) {
    StopSignals signals;
    ASSERT_GE(signals.wake_fd(), 0);
    EXPECT_EQ(StopSignals::Requested(), 0);
    EXPECT_FALSE(Readable(signals.wake_fd()));
    std::raise(signal_number);  // would end the test program without the handler
    EXPECT_EQ(StopSignals::Requested(), signal_number);
    EXPECT_TRUE(Readable(signals.wake_fd()));
  }
}

TEST(StopSignalsTest, BrokenPipesAreIgnoredWhileInstalledAndTheOldHandlersComeBack) {
  struct sigaction before {};
  sigaction(SIGHUP, nullptr, &before);
  {
    StopSignals signals;
    struct sigaction pipe_action {};
    sigaction(SIGPIPE, nullptr, &pipe_action);
    EXPECT_EQ(pipe_action.sa_handler, SIG_IGN);
  }
  struct sigaction after {};
  sigaction(SIGHUP, nullptr, &after);
  EXPECT_EQ(after.sa_handler, before.sa_handler);
}

TEST(EventWaitTest, ASleepEndsEarlyWhenAStopIsRequested) {
  StopSignals signals;
  EventWait wait;
  wait.Attach(nullptr, signals.wake_fd());
  std::raise(SIGTERM);
  const auto start = std::chrono::steady_clock::now();
  wait.Sleep(60'000);
  // Not a speed measurement: without the stop the sleep would last a minute.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

}  // namespace
}  // namespace rolvi::platform::sdl
