// Key presses as the page reports them (the key's position code and the key's value, as the
// browser names them) turned into the widgets' KeyEvents, the way the desktop reads its keys.
#pragma once

#include <optional>
#include <string_view>

#include "platform/widgets/input.h"

namespace rolvi::platform::web {

// `modifiers` holds the kModifier bits of page.h. Letters come lower-case whatever Shift
// does, as the desktop's key symbols do; keys the program has no use for give nothing.
std::optional<widgets::KeyEvent> KeyFromDom(std::string_view code, std::string_view key,
                                            int modifiers);

}  // namespace rolvi::platform::web
