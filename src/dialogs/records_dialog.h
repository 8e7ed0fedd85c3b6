// The records list: ranks 1 to 10 with names on the left and scores on the right, painted
// from the record table whenever the dialog paints.
#pragma once

#include "dialogs/simple_dialogs.h"
#include "platform/dialog.h"
#include "records/record_table.h"

namespace rolvi::dialogs {

class RecordsDialog final : public ButtonEndedDialog {
 public:
  RecordsDialog(platform::Size screen, const records::RecordTable& table)
      : screen_(screen), table_(table) {}
  void OnInit(platform::DialogControls& dialog) override;
  void OnPaint(platform::DialogControls& dialog, platform::Surface& surface) override;

 private:
  platform::Size screen_;
  const records::RecordTable& table_;
};

}  // namespace rolvi::dialogs
