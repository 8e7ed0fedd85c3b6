// The dialogs that only show their template: the rules, and the about box with its masked
// picture. Both open centred on the screen and end with their button or close box.
#pragma once

#include "platform/dialog.h"
#include "shell/commands.h"

namespace rolvi::dialogs {

// A dialog that ends with its button (command 256) or its close box, with result 0.
class ButtonEndedDialog : public platform::DialogHandler {
 public:
  bool OnCommand(platform::DialogControls& dialog, int command) override;
  bool OnClose(platform::DialogControls& dialog) override;
};

class RulesDialog final : public ButtonEndedDialog {
 public:
  explicit RulesDialog(platform::Size screen) : screen_(screen) {}
  void OnInit(platform::DialogControls& dialog) override;

 private:
  platform::Size screen_;
};

// The picture and its mask are bitmap resources; both are made for the dialog's display at
// every paint, the mask ANDed and the picture ORed at (10, 32).
class AboutDialog final : public ButtonEndedDialog {
 public:
  AboutDialog(platform::Size screen, platform::DibView picture, platform::DibView mask)
      : screen_(screen), picture_(picture), mask_(mask) {}
  void OnInit(platform::DialogControls& dialog) override;
  void OnPaint(platform::DialogControls& dialog, platform::Surface& surface) override;

 private:
  platform::Size screen_;
  platform::DibView picture_;
  platform::DibView mask_;
};

// The low 16 bits of a command, as the dialogs compare them.
constexpr bool IsButtonCommand(int command) {
  return (command & 0xFFFF) == shell::kButtonId;
}

}  // namespace rolvi::dialogs
