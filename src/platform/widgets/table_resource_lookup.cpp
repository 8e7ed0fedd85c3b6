#include "platform/widgets/table_resource_lookup.h"

#include "platform/dib_layout.h"

namespace rolvi::platform::widgets {

TableResourceLookup::TableResourceLookup(const ResourceTables& tables, std::uint16_t language)
    : tables_(tables), strings_(FindStrings(tables, language)) {}

std::string_view TableResourceLookup::String(int id) const {
  if (strings_ == nullptr) return {};
  return FindString(*strings_, id).value_or(std::string_view{});
}

DibView TableResourceLookup::Bitmap(int id) const {
  return DibFromBitmapFile(FindBitmap(tables_, id));
}

}  // namespace rolvi::platform::widgets
