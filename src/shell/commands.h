// The program's resource numbers as the C++ names them, all taken from res/resource_ids.h,
// which the resource script reads too: the main window's commands, its menu and icon, the
// dialog templates and their controls; what the main window tells its window system about
// itself; and the size it is made at. The platform knows none of them.
#pragma once

#include <string_view>

#include "platform/surface.h"
#include "platform/window_system.h"
#include "resource_ids.h"

namespace rolvi::shell {

enum class Command : int {
  kNewGame = IDM_NEW_GAME,
  kShowRecords = IDM_SHOW_RECORDS,
  kExit = IDM_EXIT,
  kToggleNext = IDM_NEXT_BALLS,
  kToggleStats = IDM_STATISTICS,
  kToggleSymbols = IDM_BALL_SYMBOLS,
  kRules = IDM_RULES,
  kAbout = IDM_ABOUT,
};

constexpr int CommandNumber(Command command) {
  return static_cast<int>(command);
}

// The dialog templates.
enum class DialogId : int {
  kRules = IDD_RULES,
  kRecords = IDD_RECORDS,
  kName = IDD_NAME,
  kAbout = IDD_ABOUT,
  kStatistics = IDD_STATISTICS,
};

constexpr int DialogNumber(DialogId dialog) {
  return static_cast<int>(dialog);
}

// Control identifiers shared by the templates: each dialog's button, the name dialog's field.
inline constexpr int kButtonId = IDC_BUTTON;
inline constexpr int kNameEditId = IDC_NAME_EDIT;

// The menu with the accelerator table of the same number, and the program's icon.
inline constexpr int kMenuId = IDR_MAIN_MENU;
inline constexpr int kIconId = IDI_ROLVI;

// What the program's main.cpp files tell their window system about the main window: its title
// (GBK), which the string table holds (Texts::title), its icon and its menu.
constexpr platform::MainWindowIdentity MainWindowIdentity(std::string_view gbk_title) {
  return {gbk_title, kIconId, kMenuId};
}

// The main window's outer size when it is made, frame, caption and menu bar included; it
// cannot be made smaller by the user either.
inline constexpr platform::Size kMainWindowSize{620, 420};

}  // namespace rolvi::shell
