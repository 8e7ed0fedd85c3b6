#include "platform/widgets/main_keys.h"

#include "platform/widgets/accelerators.h"

namespace rolvi::platform::widgets {

MainKeyRoute RouteMainWindowKey(MenuBar& menu, std::span<const AcceleratorData> accelerators,
                                const KeyEvent& key) {
  if (menu.active()) {
    const MenuResult result = menu.OnKey(key);
    return {.repaint_bar = true, .command = result.command};
  }
  if (const auto command = TranslateAccelerator(accelerators, key))
    return {.repaint_bar = false, .command = command};
  if (key.key == Key::kFunction && key.function == 4 && key.alt)
    return {.repaint_bar = false, .command = std::nullopt, .close_window = true};
  return {.repaint_bar = menu.OnKey(key).consumed, .command = std::nullopt};
}

}  // namespace rolvi::platform::widgets
