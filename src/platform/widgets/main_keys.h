// How a key press meant for the main window is routed, the same in every back end that draws
// its own menu bar: an open menu first, then the accelerators, then Alt+F4, then mnemonics.
#pragma once

#include <optional>
#include <span>

#include "platform/widgets/input.h"
#include "platform/widgets/menu_bar.h"
#include "platform/widgets/resource_tables.h"

namespace rolvi::platform::widgets {

struct MainKeyRoute {
  bool repaint_bar = false;    // the menu bar's look changed
  std::optional<int> command;  // a menu or accelerator command to carry out
  bool close_window = false;   // Alt+F4 closes the main window
};

// While a menu is open it has the keys to itself (no accelerators meanwhile).
MainKeyRoute RouteMainWindowKey(MenuBar& menu, std::span<const AcceleratorData> accelerators,
                                const KeyEvent& key);

}  // namespace rolvi::platform::widgets
