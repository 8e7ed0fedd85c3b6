// The menu and accelerator commands of the main window, with the numbers res/resource_ids.h
// gives them, and the size the main window is made at.
#pragma once

#include "platform/dialog.h"
#include "platform/surface.h"
#include "resource_ids.h"

namespace rolvi::shell {

enum class Command : int {
  kNewGame = IDM_NEW_GAME,
  kShowRecords = IDM_SHOW_RECORDS,
  kExit = IDM_EXIT,
  kToggleNext = IDM_NEXT_BALLS,
  kToggleStats = IDM_STATISTICS,
  kRules = IDM_RULES,
  kAbout = IDM_ABOUT,
};

constexpr int CommandNumber(Command command) {
  return static_cast<int>(command);
}

// The dialog templates and the controls the platform names must be the script's.
static_assert(static_cast<int>(platform::DialogTemplate::kRules) == IDD_RULES);
static_assert(static_cast<int>(platform::DialogTemplate::kRecords) == IDD_RECORDS);
static_assert(static_cast<int>(platform::DialogTemplate::kName) == IDD_NAME);
static_assert(static_cast<int>(platform::DialogTemplate::kAbout) == IDD_ABOUT);
static_assert(static_cast<int>(platform::DialogTemplate::kStatistics) == IDD_STATISTICS);
static_assert(platform::kButtonId == IDC_BUTTON);
static_assert(platform::kNameEditId == IDC_NAME_EDIT);

// The main window's outer size when it is made, frame, caption and menu bar included; it
// cannot be made smaller by the user either.
inline constexpr platform::Size kMainWindowSize{620, 420};

}  // namespace rolvi::shell
