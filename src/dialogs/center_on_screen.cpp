#include "dialogs/center_on_screen.h"

namespace rolvi::dialogs {

void CenterOnScreen(platform::DialogControls& dialog, platform::Size screen) {
  const platform::Rect outer = dialog.WindowRect();
  const int width = outer.width();
  const int height = outer.height();
  const int left = (screen.width - width) / 2;
  const int top = (screen.height - height) / 2;
  dialog.MoveWindow({left, top, left + width, top + height});
}

}  // namespace rolvi::dialogs
