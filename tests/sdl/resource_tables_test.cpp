// The tables generated from res/rolvi.rc against the script itself, parsed again here: every
// menu, accelerator, dialog, control and file resource must have come through the resource
// compiler unchanged, its texts as GBK.
#include "platform/widgets/resource_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cpp_writer.h"
#include "platform/gbk/gbk_text.h"
#include "platform/widgets/accelerators.h"
#include "rc_script.h"
#include "res/tables.h"
#include "rolvi_version.h"

namespace rolvi::platform::widgets {
namespace {

rescomp::RcScript Script() {
  std::vector<unsigned char> bytes;
  EXPECT_TRUE(rescomp::ReadWholeFile(ROLVI_RES_DIR "/rolvi.rc", bytes));
  // The script includes the version header that the build generates.
  const rescomp::IncludeReader generated = [](std::string_view name) -> std::optional<std::string> {
    std::vector<unsigned char> header;
    if (!rescomp::ReadWholeFile(ROLVI_GENERATED_DIR "/" + std::string(name), header)) return {};
    return std::string(header.begin(), header.end());
  };
  const auto parsed =
      rescomp::ParseResourceScript(std::string(bytes.begin(), bytes.end()), generated);
  EXPECT_TRUE(parsed.ok) << parsed.error;
  return parsed.script;
}

TEST(ResourceTablesTest, MenuAndAcceleratorsAreTheScripts) {
  const rescomp::RcScript script = Script();
  const ResourceTables& tables = res::Tables();
  ASSERT_EQ(script.menus.size(), 1u);
  EXPECT_EQ(tables.menu_id, script.menus[0].id);
  const auto& popups = script.menus[0].popups;
  ASSERT_EQ(tables.menu.size(), popups.size());
  for (std::size_t p = 0; p < popups.size(); ++p) {
    EXPECT_EQ(GbkToUtf8(tables.menu[p].title), popups[p].title);
    EXPECT_EQ(tables.menu[p].right_justify, popups[p].right_justify);
    ASSERT_EQ(tables.menu[p].items.size(), popups[p].items.size());
    for (std::size_t i = 0; i < popups[p].items.size(); ++i) {
      const MenuItemData& item = tables.menu[p].items[i];
      EXPECT_EQ(item.command, popups[p].items[i].command);
      EXPECT_EQ(GbkToUtf8(item.text), popups[p].items[i].text);
      EXPECT_EQ(item.separator, popups[p].items[i].separator);
      EXPECT_EQ(item.checked, popups[p].items[i].checked);
    }
  }

  ASSERT_EQ(script.accelerator_tables.size(), 1u);
  EXPECT_EQ(tables.accelerator_id, script.accelerator_tables[0].id);
  // The rows themselves are checked by how they translate, below.
  EXPECT_EQ(tables.accelerators.size(), script.accelerator_tables[0].rows.size());
}

// Each row's key pressed with its own modifiers gives its command; another modifier, or a
// function key no row names, gives nothing (Shift turns "x" into "X", which no row lists).
TEST(ResourceTablesTest, EveryAcceleratorRowTranslatesOnlyWithItsModifiers) {
  const auto& table = res::Tables().accelerators;
  const rescomp::RcScript script = Script();
  int function_rows = 0;
  for (const rescomp::RcAccelerator& row : script.accelerator_tables.at(0).rows) {
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
}

TEST(ResourceTablesTest, DialogTemplatesAndTheirControlsAreTheScripts) {
  const rescomp::RcScript script = Script();
  ASSERT_EQ(res::Tables().dialogs.size(), script.dialogs.size());
  for (const rescomp::RcDialog& expected : script.dialogs) {
    const DialogData* dialog = FindDialog(res::Tables(), expected.id);
    ASSERT_NE(dialog, nullptr) << expected.id;
    EXPECT_EQ((std::vector{dialog->x, dialog->y, dialog->width, dialog->height}),
              (std::vector{expected.x, expected.y, expected.width, expected.height}));
    EXPECT_EQ(dialog->style, expected.style) << expected.id;
    EXPECT_EQ(dialog->ex_style, expected.ex_style) << expected.id;
    EXPECT_EQ(GbkToUtf8(dialog->caption), expected.caption);
    EXPECT_EQ(dialog->font_points, expected.font_points) << expected.id;
    EXPECT_EQ(GbkToUtf8(dialog->font_name), expected.font_name);
    ASSERT_EQ(dialog->controls.size(), expected.controls.size()) << expected.id;
    for (std::size_t i = 0; i < expected.controls.size(); ++i) {
      const ControlData& control = dialog->controls[i];
      const rescomp::RcControl& source = expected.controls[i];
      EXPECT_EQ(static_cast<int>(control.control_class), static_cast<int>(source.control_class));
      EXPECT_EQ((std::vector{control.id, control.x, control.y, control.width, control.height}),
                (std::vector{source.id, source.x, source.y, source.width, source.height}))
          << expected.id << " #" << i;
      EXPECT_EQ(control.style, source.style) << expected.id << " #" << i;
      EXPECT_EQ(GbkToUtf8(control.text), source.text);
    }
  }
  EXPECT_EQ(FindDialog(res::Tables(), 999), nullptr);
}

TEST(ResourceTablesTest, BitmapsAndIconsHoldTheirFilesBytes) {
  const rescomp::RcScript script = Script();
  std::size_t bitmaps = 0;
  std::size_t icons = 0;
  for (const rescomp::RcFile& file : script.files) {
    std::vector<unsigned char> bytes;
    ASSERT_TRUE(rescomp::ReadWholeFile(ROLVI_RES_DIR "/" + file.path, bytes)) << file.path;
    const bool bitmap = file.kind == rescomp::RcFileKind::kBitmap;
    const auto& list = bitmap ? res::Tables().bitmaps : res::Tables().icons;
    std::size_t& next = bitmap ? bitmaps : icons;
    ASSERT_LT(next, list.size()) << file.path;
    const BinaryResource& resource = list[next++];
    EXPECT_EQ(resource.id, file.id);
    EXPECT_TRUE(
        std::equal(bytes.begin(), bytes.end(), resource.bytes.begin(), resource.bytes.end()))
        << file.path;
    if (bitmap) {
      EXPECT_EQ(FindBitmap(res::Tables(), file.id).data(), resource.bytes.data());
    }
  }
  EXPECT_EQ(bitmaps, res::Tables().bitmaps.size());
  EXPECT_EQ(icons, res::Tables().icons.size());
  EXPECT_TRUE(FindBitmap(res::Tables(), 2999).empty());
}

TEST(ResourceTablesTest, TheAboutBoxCarriesTheVersionOfTheBuild) {
  const DialogData* about = FindDialog(res::Tables(), 1003);
  ASSERT_NE(about, nullptr);
  const std::string line = std::string("Color rolvi 版本 ") + ROLVI_VERSION;
  EXPECT_TRUE(std::any_of(about->controls.begin(), about->controls.end(),
                          [&](const auto& control) { return GbkToUtf8(control.text) == line; }));
}

}  // namespace
}  // namespace rolvi::platform::widgets
