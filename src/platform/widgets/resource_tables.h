// A program's resources as C++ data, in the shape tools/rescomp generates them from a resource
// script: the menu, its accelerators, the dialog templates, the string tables, the bitmaps and
// icons, and the look-ups over them. Texts are GBK. The program hands its tables to the window
// system; the widgets compile none of their own.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace rolvi::platform::widgets {

// Window, dialog and control style bits, with the values a Windows resource carries.
namespace style {
inline constexpr std::uint32_t kTabStop = 0x00010000;
inline constexpr std::uint32_t kGroup = 0x00020000;
inline constexpr std::uint32_t kBorder = 0x00800000;
inline constexpr std::uint32_t kVisible = 0x10000000;
inline constexpr std::uint32_t kSysMenu = 0x00080000;
inline constexpr std::uint32_t kCaption = 0x00C00000;
inline constexpr std::uint32_t kDialogCentre = 0x0800;
inline constexpr std::uint32_t kButtonTypeMask = 0x000F;
inline constexpr std::uint32_t kDefPushButton = 0x0001;
inline constexpr std::uint32_t kGroupBox = 0x0007;
inline constexpr std::uint32_t kStaticTypeMask = 0x001F;
inline constexpr std::uint32_t kStaticCentre = 0x0001;
inline constexpr std::uint32_t kStaticRight = 0x0002;
inline constexpr std::uint32_t kStaticNoPrefix = 0x0080;
inline constexpr std::uint32_t kEditAutoHScroll = 0x0080;
inline constexpr std::uint32_t kToolWindowEx = 0x00000080;
}  // namespace style

struct MenuItemData {
  int command = 0;        // 0 for a separator
  std::string_view text;  // name, then a backspace and the accelerator label, if any
  bool separator = false;
  bool checked = false;
};

struct MenuData {
  std::string_view title;
  bool right_justify = false;
  std::span<const MenuItemData> items;
};

struct AcceleratorData {
  int key = 0;  // a virtual-key code, or a character code when !virtual_key
  bool virtual_key = false;
  bool alt = false;
  bool control = false;
  bool shift = false;
  int command = 0;
};

enum class ControlClass { kButton, kStatic, kEdit };

struct ControlData {
  ControlClass control_class = ControlClass::kStatic;
  int id = -1;
  std::string_view text;
  int x = 0;  // dialog units
  int y = 0;
  int width = 0;
  int height = 0;
  std::uint32_t style = 0;
};

struct DialogData {
  int id = 0;
  int x = 0;  // dialog units
  int y = 0;
  int width = 0;
  int height = 0;
  std::uint32_t style = 0;
  std::uint32_t ex_style = 0;
  std::string_view caption;
  int font_points = 0;
  std::string_view font_name;
  std::span<const ControlData> controls;
};

struct BinaryResource {
  int id = 0;
  std::span<const std::uint8_t> bytes;  // the file's contents; empty when it was missing
};

struct StringData {
  int id = 0;
  std::string_view text;
};

// The strings of one language, in the order of their numbers. `language` is the Windows
// language number of the script's LANGUAGE statement (MAKELANGID; 0 without one).
struct StringTableData {
  std::uint16_t language = 0;
  std::span<const StringData> strings;
};

struct ResourceTables {
  int menu_id = 0;
  std::span<const MenuData> menu;
  int accelerator_id = 0;
  std::span<const AcceleratorData> accelerators;
  std::span<const DialogData> dialogs;
  std::span<const BinaryResource> bitmaps;
  std::span<const BinaryResource> icons;
  std::span<const StringTableData> strings;  // one table per language, in the script's order
};

// The dialog template `id` of `tables`, or null.
const DialogData* FindDialog(const ResourceTables& tables, int id);
// The bitmap resource `id` (a BMP file), or the icon `id` (an icon file); an empty span when
// there is none.
std::span<const std::uint8_t> FindBitmap(const ResourceTables& tables, int id);
std::span<const std::uint8_t> FindIcon(const ResourceTables& tables, int id);
// The strings of `language`, or else the script's first string table; null without any.
const StringTableData* FindStrings(const ResourceTables& tables, std::uint16_t language);
// String `id` of `table`; nothing when the table has no such string.
std::optional<std::string_view> FindString(const StringTableData& table, int id);

}  // namespace rolvi::platform::widgets
