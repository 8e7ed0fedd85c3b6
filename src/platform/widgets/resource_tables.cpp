#include "platform/widgets/resource_tables.h"

#include <algorithm>

namespace rolvi::platform::widgets {
namespace {

std::span<const std::uint8_t> FindFile(std::span<const BinaryResource> files, int id) {
  for (const BinaryResource& file : files) {
    if (file.id == id) return file.bytes;
  }
  return {};
}

}  // namespace

const DialogData* FindDialog(const ResourceTables& tables, int id) {
  for (const DialogData& dialog : tables.dialogs) {
    if (dialog.id == id) return &dialog;
  }
  return nullptr;
}

std::span<const std::uint8_t> FindBitmap(const ResourceTables& tables, int id) {
  return FindFile(tables.bitmaps, id);
}

std::span<const std::uint8_t> FindIcon(const ResourceTables& tables, int id) {
  return FindFile(tables.icons, id);
}

const StringTableData* FindStrings(const ResourceTables& tables, std::uint16_t language) {
  for (const StringTableData& table : tables.strings) {
    if (table.language == language) return &table;
  }
  return tables.strings.empty() ? nullptr : &tables.strings.front();
}

std::optional<std::string_view> FindString(const StringTableData& table, int id) {
  const auto found = std::lower_bound(table.strings.begin(), table.strings.end(), id,
                                      [](const StringData& s, int n) { return s.id < n; });
  if (found == table.strings.end() || found->id != id) return std::nullopt;
  return found->text;
}

}  // namespace rolvi::platform::widgets
