#include "support/recording_host.h"

namespace rolvi::testing {

void RecordingHost::RunNameDialog(records::NameBuffer& lastName) {
  events.push_back(NameAsked{});
  std::string name = "Tester";
  if (!names.empty()) {
    name = names.front();
    names.pop_front();
  }
  lastName = records::MakeNameBuffer(name);
}

std::vector<DrawnCell> RecordingHost::DrawnCells() const {
  std::vector<DrawnCell> cells;
  for (const HostEvent& event : events) {
    if (const auto* cell = std::get_if<DrawnCell>(&event)) cells.push_back(*cell);
  }
  return cells;
}

}  // namespace rolvi::testing
