// The main window's periodic timer, coalesced the way a native window timer is: a tick is
// due once the period has passed, and however many periods an animation let pass, the loop
// delivers one tick and the next is due one period later.
#pragma once

#include <cstdint>
#include <optional>

namespace rolvi::platform::widgets {

class TimerClock {
 public:
  void Start(std::uint32_t now_ms, int period_ms);
  void Stop() { running_ = false; }
  bool running() const { return running_; }

  // Milliseconds until the next tick is due (0 when due), or nothing when stopped.
  std::optional<std::uint32_t> TimeUntilDue(std::uint32_t now_ms) const;

  // True when a tick is due at `now_ms`; the tick is then taken and the next one is due a
  // whole number of periods after the last due time, later than `now_ms`.
  bool TakeTick(std::uint32_t now_ms);

  // For a loop that slept through the ticks: how many came due up to `now_ms` (each one that a
  // loop waking for every tick would have delivered), all taken; the next is due one period
  // after the last of them, as with TakeTick.
  std::uint32_t TakeDueTicks(std::uint32_t now_ms);

 private:
  bool running_ = false;
  std::uint32_t period_ = 0;
  std::uint32_t due_ = 0;
};

}  // namespace rolvi::platform::widgets
