// RecordDialogs for tests: the name dialog stores the next scripted answer (or keeps the name
// offered), and every dialog is logged with what it was shown.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "records/record_dialogs.h"

namespace rolvi::testing {

struct NameDialogRun {
  std::string offered;  // lastName when the dialog opened
  friend bool operator==(const NameDialogRun&, const NameDialogRun&) = default;
};

struct RecordsDialogRun {
  records::RecordTable shown;
  friend bool operator==(const RecordsDialogRun&, const RecordsDialogRun&) = default;
};

using DialogRun = std::variant<NameDialogRun, RecordsDialogRun>;

class FakeRecordDialogs : public records::RecordDialogs {
 public:
  void RunNameDialog(records::NameBuffer& lastName) override {
    runs.push_back(NameDialogRun{std::string(records::NameText(lastName))});
    if (while_name_is_asked) while_name_is_asked();
    if (answers.empty()) return;
    lastName = records::MakeNameBuffer(answers.front());
    answers.pop_front();
  }

  void ShowRecordsDialog(const records::RecordTable& table) override {
    runs.push_back(RecordsDialogRun{table});
  }

  // Names the player types, one per name dialog; none left keeps the offered name.
  std::deque<std::string> answers;
  std::vector<DialogRun> runs;
  // Runs while the name dialog is open, before its answer is taken.
  std::function<void()> while_name_is_asked;
};

}  // namespace rolvi::testing
