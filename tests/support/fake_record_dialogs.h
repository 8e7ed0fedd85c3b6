// RecordDialogs for tests: the name dialog stores the next scripted answer (or keeps the name
// offered), and both dialogs log what they were shown.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "records/record_dialogs.h"

namespace rolvi::testing {

class FakeRecordDialogs : public records::RecordDialogs {
 public:
  void RunNameDialog(records::NameBuffer& lastName) override {
    offered.emplace_back(records::NameText(lastName));
    if (while_name_is_asked) while_name_is_asked();
    if (answers.empty()) return;
    lastName = records::MakeNameBuffer(answers.front());
    answers.pop_front();
  }
  void ShowRecordsDialog(const records::RecordTable& table) override { shown.push_back(table); }

  // Names the player types, one per name dialog; none left keeps the offered name.
  std::deque<std::string> answers;
  // The name each name dialog opened with, and the table each records dialog showed.
  std::vector<std::string> offered;
  std::vector<records::RecordTable> shown;
  // Runs while the name dialog is open, before its answer is taken.
  std::function<void()> while_name_is_asked;
};

}  // namespace rolvi::testing
