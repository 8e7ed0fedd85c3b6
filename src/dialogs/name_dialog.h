// The name dialog: offers the last name, selected, and lets the player leave only with a
// valid name, through the OK button or the close box alike; a refused name gets its message.
#pragma once

#include <optional>

#include "dialogs/name_check.h"
#include "platform/dialog.h"
#include "records/record_book.h"

namespace rolvi::dialogs {

class NameDialog final : public platform::DialogHandler {
 public:
  NameDialog(platform::Size screen, records::NameBuffer& lastName, const NameCheckTexts& texts)
      : screen_(screen), lastName_(lastName), texts_(texts) {}
  void OnInit(platform::DialogControls& dialog) override;
  bool OnCommand(platform::DialogControls& dialog, int command) override;
  bool OnClose(platform::DialogControls& dialog) override;

  // While the dialog runs: the name typed so far, when the name check accepts it.
  std::optional<records::NameBuffer> TypedName() const;

 private:
  void Validate(platform::DialogControls& dialog);

  // The running dialog, from its start; it lasts as long as the window system runs it.
  const platform::DialogControls* controls_ = nullptr;
  platform::Size screen_;
  records::NameBuffer& lastName_;
  const NameCheckTexts& texts_;
};

}  // namespace rolvi::dialogs
