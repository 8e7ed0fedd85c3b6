// What entering a result needs from the user interface: the name dialog, which cannot be
// cancelled and returns only with a valid name stored, and the records list. The shell
// implements it with the real dialogs and their owner window; tests answer with a fake.
#pragma once

#include "records/record_book.h"
#include "records/record_table.h"

namespace rolvi::records {

class RecordDialogs {
 public:
  virtual ~RecordDialogs() = default;

  // Runs the name dialog offering `lastName`; returns once a name of 1 to 13 bytes, each
  // below 0x80, has been stored in it with its terminator.
  virtual void RunNameDialog(NameBuffer& lastName) = 0;

  // Runs the records list showing `table`; returns when the player closes it.
  virtual void ShowRecordsDialog(const RecordTable& table) = 0;
};

}  // namespace rolvi::records
