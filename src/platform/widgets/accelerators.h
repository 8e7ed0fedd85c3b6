// Turns key presses into menu commands through accelerator table 1100.
#pragma once

#include <optional>
#include <span>

#include "platform/widgets/input.h"
#include "platform/widgets/resource_tables.h"

namespace rolvi::platform::widgets {

// The command of the first row that matches the key press, if any. Virtual-key rows need
// exactly their modifiers; character rows match the typed character (so Shift, which changes
// the character, makes Alt+x no longer match) with Alt and Control as given.
std::optional<int> TranslateAccelerator(std::span<const AcceleratorData> table,
                                        const KeyEvent& event);

}  // namespace rolvi::platform::widgets
