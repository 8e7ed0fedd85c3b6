// The program's own tables, generated from res/rolvi.rc: every number of resource_ids.h
// names what the code expects of it, and the strings are the bytes the program has always
// shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/gbk/gbk_text.h"
#include "platform/widgets/accelerators.h"
#include "platform/widgets/resource_tables.h"
#include "platform/widgets/table_resource_lookup.h"
#include "res/tables.h"
#include "resource_ids.h"
#include "rolvi_version.h"

namespace rolvi::platform::widgets {
namespace {

const ResourceTables& Tables() {
  return res::Tables();
}

TEST(ProgramTablesTest, TheNumbersOfTheHeaderNameTheMenuDialogsAndFiles) {
  EXPECT_EQ(Tables().menu_id, IDR_MAIN_MENU);
  EXPECT_EQ(Tables().accelerator_id, IDR_MAIN_MENU);
  std::vector<int> commands;
  for (const MenuData& popup : Tables().menu) {
    for (const MenuItemData& item : popup.items) {
      if (!item.separator) commands.push_back(item.command);
    }
  }
  EXPECT_EQ(commands, (std::vector<int>{IDM_NEW_GAME, IDM_SHOW_RECORDS, IDM_EXIT, IDM_NEXT_BALLS,
                                        IDM_STATISTICS, IDM_BALL_SYMBOLS, IDM_RULES, IDM_ABOUT}));
  for (const int id : {IDD_RULES, IDD_RECORDS, IDD_NAME, IDD_ABOUT, IDD_STATISTICS})
    EXPECT_NE(FindDialog(Tables(), id), nullptr) << id;
  const DialogData* name = FindDialog(Tables(), IDD_NAME);
  ASSERT_NE(name, nullptr);
  EXPECT_TRUE(std::any_of(name->controls.begin(), name->controls.end(), [](const auto& control) {
    return control.id == IDC_NAME_EDIT && control.control_class == ControlClass::kEdit;
  }));
  EXPECT_FALSE(FindBitmap(Tables(), IDB_ABOUT).empty());
  EXPECT_FALSE(FindBitmap(Tables(), IDB_ABOUT_MASK).empty());
  ASSERT_EQ(Tables().icons.size(), 1u);
  EXPECT_EQ(Tables().icons[0].id, IDI_ROLVI);
}

// Each row's key pressed with its own modifiers gives its command; another modifier, or a
// function key no row names, gives nothing (Shift turns "x" into "X", which no row lists).
TEST(ProgramTablesTest, EveryAcceleratorRowTranslatesOnlyWithItsModifiers) {
  const auto& table = Tables().accelerators;
  int function_rows = 0;
  for (const AcceleratorData& row : table) {
    KeyEvent key{.alt = row.alt, .control = row.control, .shift = row.shift};
    if (row.virtual_key) {
      key.key = Key::kFunction;
      key.function = row.key - 0x6F;  // VK_F1 is 0x70
      ASSERT_EQ(VirtualKeyOf(key), row.key) << "only function keys are expected";
      ++function_rows;
    } else {
      key.key = Key::kCharacter;
      key.character = static_cast<char>(row.key);
    }
    EXPECT_EQ(TranslateAccelerator(table, key), row.command) << row.key;
    for (bool KeyEvent::*modifier : {&KeyEvent::alt, &KeyEvent::control, &KeyEvent::shift}) {
      KeyEvent other = key;
      other.*modifier = !(other.*modifier);
      EXPECT_EQ(TranslateAccelerator(table, other), std::nullopt) << row.key;
    }
  }
  int translated = 0;
  for (int function = 1; function <= 12; ++function) {
    translated +=
        TranslateAccelerator(table, {.key = Key::kFunction, .function = function}) ? 1 : 0;
  }
  EXPECT_EQ(translated, function_rows);
  EXPECT_EQ(function_rows, 4);
}

TEST(ProgramTablesTest, TheAboutBoxCarriesTheVersionOfTheBuild) {
  const DialogData* about = FindDialog(Tables(), IDD_ABOUT);
  ASSERT_NE(about, nullptr);
  const std::string line = std::string("Color rolvi 版本 ") + ROLVI_VERSION;
  EXPECT_TRUE(std::any_of(about->controls.begin(), about->controls.end(),
                          [&](const auto& control) { return GbkToUtf8(control.text) == line; }));
}

// The texts that were GBK literals in the C++ until they moved to the script, byte for byte,
// blanks included; the script holds them in Simplified Chinese only.
TEST(ProgramTablesTest, TheStringsAreTheBytesThePlayerAlwaysSaw) {
  ASSERT_EQ(Tables().strings.size(), 1u);
  EXPECT_EQ(Tables().strings[0].language, 0x0804);
  const TableResourceLookup strings(Tables());
  const struct {
    int id;
    std::string_view bytes;
  } cases[] = {
      {IDS_TITLE, "Color rolvi"},
      {IDS_GAME_OVER, " \xCD\xE6  \xCD\xEA  !"},
      {IDS_NEXT_GROUP, "\xCF\xC2\xD7\xE9"},
      {IDS_COLOURS, "\xD1\xD5\xC9\xAB  "},
      {IDS_PLAYER_PLATE, "\xCD\xE6  \xBC\xD2   "},
      {IDS_KING_NAME, " \xB9\xFA  \xCD\xF5 "},
      {IDS_VACANT_NAME, "- \xBF\xD5 \xC8\xB1 -"},
      {IDS_NAME_ERROR, "\xB4\xED \xCE\xF3"},
      {IDS_NAME_EMPTY, "\xC4\xE3\xD3\xA6\xB8\xC3\xCA\xE4\xC8\xEB\xD0\xD5\xC3\xFB          "},
      {IDS_NAME_TOO_LONG, "\xD0\xD5\xC3\xFB\xCC\xAB\xB3\xA4     "},
      {IDS_NAME_NOT_LATIN,
       "\xC4\xE3\xD6\xBB\xC4\xDC\xD3\xC3\xC0\xAD\xB6\xA1\xD7\xD6\xC4\xB8                 "},
      {IDS_STATS_REMOVED, ", \xCF\xFB\xB3\xFD"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(strings.String(c.id), c.bytes) << c.id;
}

TEST(ProgramTablesTest, EveryFileProblemHasItsText) {
  const TableResourceLookup strings(Tables());
  for (const int id :
       {IDS_RECORDS_NOT_READ, IDS_RECORDS_NOT_SAVED, IDS_FILE_NO_FOLDER, IDS_FILE_DENIED,
        IDS_FILE_READ_ONLY, IDS_FILE_FULL, IDS_FILE_NOT_A_FILE, IDS_FILE_FAILED}) {
    EXPECT_FALSE(strings.String(id).empty()) << id;
  }
  EXPECT_EQ(GbkToUtf8(strings.String(IDS_RECORDS_NOT_SAVED)), "无法保存排行榜：");
}

}  // namespace
}  // namespace rolvi::platform::widgets
