// Moving a dialog into the middle of the screen, measured with the screen size read once at
// start-up.
#pragma once

#include "platform/dialog.h"

namespace rolvi::dialogs {

void CenterOnScreen(platform::DialogControls& dialog, platform::Size screen);

}  // namespace rolvi::dialogs
