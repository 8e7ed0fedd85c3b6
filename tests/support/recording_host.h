// A GameHost for tests: records every drawn cell and every pause in order, keeps a virtual
// clock that pauses advance, and counts statistics refresh requests.
#pragma once

#include <cstdint>
#include <variant>
#include <vector>

#include "platform/game_host.h"

namespace rolvi::testing {

struct DrawnCell {
  int column;
  int row;
  std::uint8_t code;
  int frame;
  friend bool operator==(const DrawnCell&, const DrawnCell&) = default;
};

struct Paused {
  int milliseconds;
  friend bool operator==(const Paused&, const Paused&) = default;
};

struct StatsRefresh {
  friend bool operator==(const StatsRefresh&, const StatsRefresh&) = default;
};

using HostEvent = std::variant<DrawnCell, Paused, StatsRefresh>;

class RecordingHost : public platform::GameHost {
 public:
  void DrawCell(int column, int row, std::uint8_t code, int frame) override {
    events.push_back(DrawnCell{column, row, code, frame});
  }
  void Pause(int milliseconds) override {
    events.push_back(Paused{milliseconds});
    clock_ms += milliseconds;
  }
  void RequestStatsRefresh() override { events.push_back(StatsRefresh{}); }

  std::vector<DrawnCell> DrawnCells() const;
  int CountPauses() const;

  std::vector<HostEvent> events;
  std::int64_t clock_ms = 0;
};

}  // namespace rolvi::testing
