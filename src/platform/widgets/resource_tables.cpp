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

std::optional<std::string_view> FindString(const ResourceTables& tables, int id) {
  const auto found = std::lower_bound(tables.strings.begin(), tables.strings.end(), id,
                                      [](const StringData& s, int n) { return s.id < n; });
  if (found == tables.strings.end() || found->id != id) return std::nullopt;
  return found->text;
}

}  // namespace rolvi::platform::widgets
