#include "dialogs/name_dialog.h"

#include "dialogs/center_on_screen.h"
#include "dialogs/simple_dialogs.h"
#include "shell/commands.h"

namespace rolvi::dialogs {

void NameDialog::OnInit(platform::DialogControls& dialog) {
  controls_ = &dialog;
  dialog.SetItemText(shell::kNameEditId, records::NameText(lastName_));
  CenterOnScreen(dialog, screen_);
}

bool NameDialog::OnCommand(platform::DialogControls& dialog, int command) {
  if (!IsButtonCommand(command)) return false;
  Validate(dialog);
  return true;
}

bool NameDialog::OnClose(platform::DialogControls& dialog) {
  Validate(dialog);
  return true;
}

std::optional<records::NameBuffer> NameDialog::TypedName() const {
  if (controls_ == nullptr) return std::nullopt;
  records::NameBuffer name{};
  if (ValidateName(controls_->ItemText(shell::kNameEditId), name) != NameVerdict::kAccepted) {
    return std::nullopt;
  }
  return name;
}

void NameDialog::Validate(platform::DialogControls& dialog) {
  const NameVerdict verdict = ValidateName(dialog.ItemText(shell::kNameEditId), lastName_);
  if (verdict == NameVerdict::kAccepted) {
    dialog.EndDialog(0);
    return;
  }
  dialog.ShowMessageBox(NameVerdictMessage(verdict, texts_), texts_.caption,
                        platform::MessageIcon::kNone);
}

}  // namespace rolvi::dialogs
