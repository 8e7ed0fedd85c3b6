#include "platform/widgets/timer_clock.h"

namespace rolvi::platform::widgets {
namespace {

// Signed distance from a to b on the wrapping 32-bit millisecond clock.
std::int64_t Elapsed(std::uint32_t from, std::uint32_t to) {
  return static_cast<std::int32_t>(to - from);
}

}  // namespace

void TimerClock::Start(std::uint32_t now_ms, int period_ms) {
  running_ = true;
  period_ = period_ms > 0 ? static_cast<std::uint32_t>(period_ms) : 1u;
  due_ = now_ms + period_;
}

std::optional<std::uint32_t> TimerClock::TimeUntilDue(std::uint32_t now_ms) const {
  if (!running_) return std::nullopt;
  const std::int64_t left = Elapsed(now_ms, due_);
  return left <= 0 ? 0u : static_cast<std::uint32_t>(left);
}

bool TimerClock::TakeTick(std::uint32_t now_ms) {
  return TakeDueTicks(now_ms) > 0;
}

std::uint32_t TimerClock::TakeDueTicks(std::uint32_t now_ms) {
  if (!running_ || Elapsed(due_, now_ms) < 0) return 0;
  const auto late = static_cast<std::uint32_t>(Elapsed(due_, now_ms));
  const std::uint32_t due = late / period_ + 1;
  due_ += due * period_;
  return due;
}

}  // namespace rolvi::platform::widgets
