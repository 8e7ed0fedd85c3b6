#include "platform/widgets/resource_tables.h"

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

}  // namespace rolvi::platform::widgets
