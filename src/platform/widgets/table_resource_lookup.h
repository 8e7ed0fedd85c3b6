// The program's strings and bitmaps looked up in generated resource tables, for the back ends
// without a resource section of their own (and the headless game and the tests).
#pragma once

#include <string_view>

#include "platform/resource_lookup.h"
#include "platform/widgets/resource_tables.h"

namespace rolvi::platform::widgets {

class TableResourceLookup final : public ResourceLookup {
 public:
  // The strings of the language `tables` are for.
  explicit TableResourceLookup(const ResourceTables& tables);

  std::string_view String(int id) const override;
  DibView Bitmap(int id) const override;

 private:
  const ResourceTables& tables_;
};

}  // namespace rolvi::platform::widgets
