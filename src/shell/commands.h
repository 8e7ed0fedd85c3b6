// The menu and accelerator commands of the main window, with the numbers the resource script
// gives them, and the size the main window is made at.
#pragma once

#include "platform/surface.h"

namespace rolvi::shell {

enum class Command : int {
  kNewGame = 256,
  kShowRecords = 257,
  kExit = 258,
  kToggleNext = 512,
  kToggleStats = 513,
  kToggleSymbols = 514,
  kRules = 768,
  kAbout = 769,
};

constexpr int CommandNumber(Command command) {
  return static_cast<int>(command);
}

// The main window's outer size when it is made, frame, caption and menu bar included; it
// cannot be made smaller by the user either.
inline constexpr platform::Size kMainWindowSize{620, 420};

}  // namespace rolvi::shell
