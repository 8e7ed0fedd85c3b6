#include "platform/widgets/accelerators.h"

namespace rolvi::platform::widgets {

std::optional<int> TranslateAccelerator(std::span<const AcceleratorData> table,
                                        const KeyEvent& event) {
  for (const AcceleratorData& row : table) {
    if (row.alt != event.alt || row.control != event.control) continue;
    if (row.virtual_key) {
      if (row.shift == event.shift && VirtualKeyOf(event) == row.key) return row.command;
      continue;
    }
    if (event.key != Key::kCharacter) continue;
    char typed = event.character;
    if (event.shift && typed >= 'a' && typed <= 'z') typed = static_cast<char>(typed - 'a' + 'A');
    if (static_cast<unsigned char>(typed) == row.key) return row.command;
  }
  return std::nullopt;
}

}  // namespace rolvi::platform::widgets
