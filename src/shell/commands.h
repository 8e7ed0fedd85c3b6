// The program's resource numbers as the C++ names them (the resource script gives them the same
// numbers): the main window's commands, its menu, icon and title, the dialog templates and
// their controls; and the size the main window is made at. The platform knows none of them.
#pragma once

#include <string_view>

#include "platform/surface.h"
#include "platform/window_system.h"

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

// The dialog templates.
enum class DialogId : int {
  kRules = 1000,
  kRecords = 1001,
  kName = 1002,
  kAbout = 1003,
  kStatistics = 1004,
};

constexpr int DialogNumber(DialogId dialog) {
  return static_cast<int>(dialog);
}

// Control identifiers shared by the templates: each dialog's button, the name dialog's field.
inline constexpr int kButtonId = 256;
inline constexpr int kNameEditId = 257;

// The menu and accelerator table, and the program's icon.
inline constexpr int kMenuId = 1100;
inline constexpr int kIconId = 3000;
inline constexpr std::string_view kProgramTitle = "Color rolvi";

// What the program's main.cpp files tell their window system about the main window.
inline constexpr platform::MainWindowIdentity kMainWindowIdentity{kProgramTitle, kIconId, kMenuId};

// The main window's outer size when it is made, frame, caption and menu bar included; it
// cannot be made smaller by the user either.
inline constexpr platform::Size kMainWindowSize{620, 420};

}  // namespace rolvi::shell
