// How a key press meant for the main window is routed, the same in every back end that draws
// its own menu bar: an open menu first, then the accelerators, then Alt+F4, then mnemonics,
// and what none of them takes to the client area when it is one of the client's keys.
#pragma once

#include <optional>
#include <span>

#include "platform/widgets/input.h"
#include "platform/widgets/menu_bar.h"
#include "platform/widgets/resource_tables.h"
#include "platform/window_system.h"

namespace rolvi::platform::widgets {

struct MainKeyRoute {
  bool repaint_bar = false;               // the menu bar's look changed
  std::optional<int> command;             // a menu or accelerator command to carry out
  bool close_window = false;              // Alt+F4 closes the main window
  std::optional<ClientKey> client_key{};  // for the client area: nothing else took it
};

// The client's key a key event stands for: the arrows, Home, End, Page Up, Page Down, Space
// and Enter without Alt or Control.
std::optional<ClientKey> ClientKeyOf(const KeyEvent& key);

// While a menu is open it has the keys to itself (no accelerators meanwhile).
MainKeyRoute RouteMainWindowKey(MenuBar& menu, std::span<const AcceleratorData> accelerators,
                                const KeyEvent& key);

}  // namespace rolvi::platform::widgets
