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
  if (menu.OnKey(key).consumed) return {.repaint_bar = true, .command = std::nullopt};
  return {.repaint_bar = false, .command = std::nullopt, .client_key = ClientKeyOf(key)};
}

std::optional<ClientKey> ClientKeyOf(const KeyEvent& key) {
  if (key.alt || key.control) return std::nullopt;
  switch (key.key) {
    case Key::kLeft:
      return ClientKey::kLeft;
    case Key::kRight:
      return ClientKey::kRight;
    case Key::kUp:
      return ClientKey::kUp;
    case Key::kDown:
      return ClientKey::kDown;
    case Key::kHome:
      return ClientKey::kHome;
    case Key::kEnd:
      return ClientKey::kEnd;
    case Key::kPageUp:
      return ClientKey::kPageUp;
    case Key::kPageDown:
      return ClientKey::kPageDown;
    case Key::kSpace:
      return ClientKey::kSpace;
    case Key::kEnter:
      return ClientKey::kEnter;
    default:
      return std::nullopt;
  }
}

}  // namespace rolvi::platform::widgets
