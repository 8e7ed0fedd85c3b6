#include "dialogs/center_on_screen.h"

namespace rolvi::dialogs {

void CenterOnScreen(platform::DialogControls& dialog, platform::Size screen) {
  const platform::Rect outer = dialog.WindowRect();
  const platform::Size size{outer.width(), outer.height()};
  const platform::Point place = platform::CentreIn(screen, size);
  dialog.MoveWindow({place.x, place.y, place.x + size.width, place.y + size.height});
}

}  // namespace rolvi::dialogs
