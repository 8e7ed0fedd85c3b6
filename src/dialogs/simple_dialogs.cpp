#include "dialogs/simple_dialogs.h"

#include "dialogs/center_on_screen.h"

namespace rolvi::dialogs {
namespace {

constexpr int kPictureX = 10;
constexpr int kPictureY = 32;

}  // namespace

void RulesDialog::OnInit(platform::DialogControls& dialog) {
  CenterOnScreen(dialog, screen_);
}

bool ButtonEndedDialog::OnCommand(platform::DialogControls& dialog, int command) {
  if (!IsButtonCommand(command)) return false;
  dialog.EndDialog(0);
  return true;
}

bool ButtonEndedDialog::OnClose(platform::DialogControls& dialog) {
  dialog.EndDialog(0);
  return true;
}

void AboutDialog::OnInit(platform::DialogControls& dialog) {
  CenterOnScreen(dialog, screen_);
}

void AboutDialog::OnPaint(platform::DialogControls&, platform::Surface& surface) {
  const auto picture = surface.CreateImage(picture_);
  const auto mask = surface.CreateImage(mask_);
  if (mask) {
    const platform::Size size = mask->size();
    surface.Blit(kPictureX, kPictureY, size.width, size.height, mask.get(), 0, 0,
                 platform::RasterOp::kAnd);
  }
  if (picture) {
    const platform::Size size = picture->size();
    surface.Blit(kPictureX, kPictureY, size.width, size.height, picture.get(), 0, 0,
                 platform::RasterOp::kOr);
  }
}

}  // namespace rolvi::dialogs
