// The program's strings and bitmaps looked up in generated resource tables, for the back ends
// without a resource section of their own (and the headless game and the tests).
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/resource_lookup.h"
#include "platform/widgets/resource_tables.h"

namespace rolvi::platform::widgets {

class TableResourceLookup final : public ResourceLookup {
 public:
  // The strings of `language` (a Windows language number), or of the tables' first language
  // when they have none of it.
  explicit TableResourceLookup(const ResourceTables& tables, std::uint16_t language = 0);

  std::string_view String(int id) const override;
  DibView Bitmap(int id) const override;

 private:
  const ResourceTables& tables_;
  const StringTableData* strings_;
};

}  // namespace rolvi::platform::widgets
