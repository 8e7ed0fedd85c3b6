#include "support/recording_host.h"

namespace rolvi::testing {

std::vector<DrawnCell> RecordingHost::DrawnCells() const {
  std::vector<DrawnCell> cells;
  for (const HostEvent& event : events) {
    if (const auto* cell = std::get_if<DrawnCell>(&event)) cells.push_back(*cell);
  }
  return cells;
}

int RecordingHost::CountPauses() const {
  int pauses = 0;
  for (const HostEvent& event : events) pauses += std::holds_alternative<Paused>(event) ? 1 : 0;
  return pauses;
}

}  // namespace rolvi::testing
