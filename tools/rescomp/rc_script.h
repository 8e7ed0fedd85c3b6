// The subset of a Windows resource script that this program uses, as parsed data: menus,
// accelerator tables, dialog templates (DIALOG and DIALOGEX), string tables and file
// resources, each with the language the script's last LANGUAGE statement set. Texts stay
// UTF-8 here; the C++ writer converts them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rolvi::rescomp {

struct RcMenuItem {
  int command = 0;
  std::string text;
  bool separator = false;
  bool checked = false;
};

struct RcPopup {
  std::string title;
  bool right_justify = false;
  std::vector<RcMenuItem> items;
};

// A language as Windows numbers it: the primary language in the low 10 bits, the
// sublanguage above them (MAKELANGID). 0 until a LANGUAGE statement sets one.
using RcLanguage = std::uint16_t;

struct RcMenu {
  int id = 0;
  RcLanguage language = 0;
  std::vector<RcPopup> popups;
};

struct RcAccelerator {
  int key = 0;
  bool virtual_key = false;
  bool alt = false;
  bool control = false;
  bool shift = false;
  int command = 0;
};

struct RcAcceleratorTable {
  int id = 0;
  std::vector<RcAccelerator> rows;
};

enum class RcControlClass { kButton, kStatic, kEdit };

struct RcControl {
  RcControlClass control_class = RcControlClass::kStatic;
  int id = -1;
  std::string text;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  std::uint32_t style = 0;
};

struct RcDialog {
  int id = 0;
  RcLanguage language = 0;
  bool extended = false;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  std::uint32_t style = 0;
  std::uint32_t ex_style = 0;
  std::string caption;
  int font_points = 0;
  std::string font_name;
  std::vector<RcControl> controls;
};

struct RcString {
  int id = 0;
  std::string text;
};

// The strings of one language, in the order of their numbers; every STRINGTABLE block of
// that language adds to it.
struct RcStringTable {
  RcLanguage language = 0;
  std::vector<RcString> strings;
};

enum class RcFileKind { kBitmap, kIcon };

struct RcFile {
  int id = 0;
  RcFileKind kind = RcFileKind::kBitmap;
  std::string path;  // as written, relative to the script
};

struct RcScript {
  std::vector<RcMenu> menus;
  std::vector<RcAcceleratorTable> accelerator_tables;
  std::vector<RcDialog> dialogs;
  std::vector<RcStringTable> string_tables;  // in the order the languages first appear
  std::vector<RcFile> files;
};

struct RcParseResult {
  bool ok = false;
  RcScript script;
  std::string error;  // "line N: what", when !ok
};

// Reads the text of a file named in `#include "name"`; nullopt when it cannot be read.
using IncludeReader = std::function<std::optional<std::string>(std::string_view name)>;

// Parses UTF-8 resource script text. `#include "name"` takes the file from `read_include`
// (without a reader it fails), `#define NAME body` defines a macro without parameters, and
// adjacent strings join, so a text can be "Version " NAME; `#include <...>` and the other
// preprocessor lines are skipped. Symbolic constants (WS_*, DS_*, BS_*, SS_*, ES_*, WS_EX_*,
// VK_*, LANG_*, SUBLANG_*) come from a built-in table. A string number given twice in one
// language is an error.
RcParseResult ParseResourceScript(std::string_view text, const IncludeReader& read_include = {});

}  // namespace rolvi::rescomp
