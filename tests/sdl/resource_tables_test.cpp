// The tables generated from res/rolvi.rc: what the menu, the accelerators and the dialog
// templates hold after the trip through the resource compiler.
#include "platform/widgets/resource_tables.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/sdl/text_codec.h"
#include "rolvi_version.h"

namespace rolvi::platform::widgets {
namespace {

std::string Utf8(std::string_view gbk) {
  return sdl::GbkToUtf8(gbk);
}

TEST(ResourceTablesTest, MenuHasThreePopupsWithTheirItems) {
  const ResourceTables& tables = Resources();
  EXPECT_EQ(tables.menu_id, 1100);
  ASSERT_EQ(tables.menu.size(), 3u);
  EXPECT_EQ(Utf8(tables.menu[0].title), "文件(&F)");
  EXPECT_EQ(Utf8(tables.menu[1].title), "选项(&O)");
  EXPECT_EQ(Utf8(tables.menu[2].title), "帮助(&H)");
  EXPECT_FALSE(tables.menu[0].right_justify);
  EXPECT_FALSE(tables.menu[1].right_justify);
  EXPECT_TRUE(tables.menu[2].right_justify);

  const auto& file = tables.menu[0].items;
  ASSERT_EQ(file.size(), 4u);
  EXPECT_EQ(file[0].command, 256);
  EXPECT_EQ(Utf8(file[0].text), "新游戏(&N)\bF4");
  EXPECT_EQ(file[1].command, 257);
  EXPECT_EQ(Utf8(file[1].text), "显示排行榜(&H)");
  EXPECT_TRUE(file[2].separator);
  EXPECT_EQ(file[3].command, 258);
  EXPECT_EQ(Utf8(file[3].text), "退出(&X)\bAlt-X");

  const auto& options = tables.menu[1].items;
  ASSERT_EQ(options.size(), 2u);
  EXPECT_EQ(options[0].command, 512);
  EXPECT_TRUE(options[0].checked);
  EXPECT_EQ(Utf8(options[0].text), "下一组(&N)\bF3");
  EXPECT_EQ(options[1].command, 513);
  EXPECT_FALSE(options[1].checked);
  EXPECT_EQ(Utf8(options[1].text), "显示统计(&S)\bF5");

  const auto& help = tables.menu[2].items;
  ASSERT_EQ(help.size(), 3u);
  EXPECT_EQ(help[0].command, 768);
  EXPECT_EQ(Utf8(help[0].text), "游戏规则(&R)\bF1");
  EXPECT_TRUE(help[1].separator);
  EXPECT_EQ(help[2].command, 769);
  EXPECT_EQ(Utf8(help[2].text), "关于(&A) ...");
}

TEST(ResourceTablesTest, AcceleratorRowsInOrder) {
  const ResourceTables& tables = Resources();
  EXPECT_EQ(tables.accelerator_id, 1100);
  ASSERT_EQ(tables.accelerators.size(), 5u);
  const int keys[] = {0x70, 0x72, 0x73, 0x74, 'x'};
  const int commands[] = {768, 512, 256, 513, 258};
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(tables.accelerators[i].key, keys[i]);
    EXPECT_EQ(tables.accelerators[i].command, commands[i]);
    EXPECT_EQ(tables.accelerators[i].virtual_key, i < 4);
    EXPECT_EQ(tables.accelerators[i].alt, i == 4);
  }
}

struct ExpectedControl {
  ControlClass control_class;
  int id;
  int x, y, width, height;
};

void ExpectControls(int dialog_id, std::initializer_list<ExpectedControl> expected) {
  const DialogData* dialog = FindDialog(dialog_id);
  ASSERT_NE(dialog, nullptr) << dialog_id;
  ASSERT_EQ(dialog->controls.size(), expected.size()) << dialog_id;
  std::size_t i = 0;
  for (const ExpectedControl& control : expected) {
    const ControlData& actual = dialog->controls[i++];
    EXPECT_EQ(actual.control_class, control.control_class) << dialog_id << " #" << i;
    EXPECT_EQ(actual.id, control.id) << dialog_id << " #" << i;
    EXPECT_EQ(actual.x, control.x) << dialog_id << " #" << i;
    EXPECT_EQ(actual.y, control.y) << dialog_id << " #" << i;
    EXPECT_EQ(actual.width, control.width) << dialog_id << " #" << i;
    EXPECT_EQ(actual.height, control.height) << dialog_id << " #" << i;
  }
}

constexpr auto kButton = ControlClass::kButton;
constexpr auto kStatic = ControlClass::kStatic;
constexpr auto kEdit = ControlClass::kEdit;

TEST(ResourceTablesTest, DialogTemplatesHaveTheirRectanglesCaptionsAndFont) {
  struct Frame {
    int id, x, y, width, height;
    const char* caption;
  };
  const Frame frames[] = {{1000, 16, 16, 160, 98, "规则"},
                          {1001, 16, 16, 160, 146, "排行榜"},
                          {1002, 32, 32, 160, 58, "恭喜恭喜"},
                          {1003, 16, 16, 176, 260, "关于"},
                          {1004, 0, 0, 80, 144, "统计"}};
  for (const Frame& frame : frames) {
    const DialogData* dialog = FindDialog(frame.id);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->x, frame.x);
    EXPECT_EQ(dialog->y, frame.y);
    EXPECT_EQ(dialog->width, frame.width);
    EXPECT_EQ(dialog->height, frame.height);
    EXPECT_EQ(Utf8(dialog->caption), frame.caption);
    EXPECT_EQ(dialog->font_points, 9);
    EXPECT_EQ(Utf8(dialog->font_name), "宋体");
    EXPECT_NE(dialog->style & style::kCaption, 0u);
    EXPECT_NE(dialog->style & style::kSysMenu, 0u);
  }
  EXPECT_NE(FindDialog(1000)->style & style::kDialogCentre, 0u);
  EXPECT_NE(FindDialog(1004)->ex_style & style::kToolWindowEx, 0u);
  EXPECT_NE(FindDialog(1004)->style & style::kVisible, 0u);
  EXPECT_TRUE(FindDialog(1004)->controls.empty());
  EXPECT_EQ(FindDialog(999), nullptr);
}

TEST(ResourceTablesTest, DialogControlsAndTheirRectangles) {
  ExpectControls(1000, {{kButton, -1, 4, 2, 152, 66},
                        {kStatic, -1, 8, 15, 144, 49},
                        {kButton, 256, 57, 76, 46, 16}});
  ExpectControls(1001, {{kButton, -1, 4, 4, 152, 116}, {kButton, 256, 57, 125, 46, 16}});
  ExpectControls(1002, {{kButton, -1, 4, 2, 152, 24},
                        {kStatic, -1, 8, 12, 64, 12},
                        {kEdit, 257, 80, 10, 72, 12},
                        {kButton, 256, 57, 34, 46, 16}});
  ExpectControls(1003, {{kButton, -1, 4, 4, 168, 66},
                        {kButton, 256, 66, 235, 50, 16},
                        {kStatic, -1, 60, 14, 90, 16},
                        {kStatic, -1, 60, 34, 90, 8},
                        {kStatic, -1, 60, 46, 90, 8},
                        {kStatic, -1, 92, 54, 60, 8},
                        {kButton, -1, 4, 76, 168, 84},
                        {kStatic, -1, 10, 88, 156, 8},
                        {kStatic, -1, 10, 98, 156, 8},
                        {kStatic, -1, 10, 112, 156, 8},
                        {kStatic, -1, 10, 124, 156, 16},
                        {kStatic, -1, 10, 144, 156, 8},
                        {kButton, 0, 4, 168, 168, 60},
                        {kStatic, 0, 19, 181, 145, 14},
                        {kStatic, 0, 14, 192, 151, 16},
                        {kStatic, 0, 64, 206, 59, 15}});
}

TEST(ResourceTablesTest, ControlStylesAndTexts) {
  const DialogData& rules = *FindDialog(1000);
  EXPECT_EQ(rules.controls[0].style & style::kButtonTypeMask, style::kGroupBox);
  EXPECT_EQ(rules.controls[2].style & style::kButtonTypeMask, style::kDefPushButton);
  EXPECT_NE(rules.controls[2].style & style::kTabStop, 0u);
  EXPECT_EQ(Utf8(rules.controls[2].text), "知道了(&O)");
  EXPECT_EQ(Utf8(rules.controls[1].text).rfind("　　游戏的目的是赢取比“国王”更多的分数。", 0), 0u);

  const DialogData& records = *FindDialog(1001);
  EXPECT_EQ(records.controls[1].style & style::kButtonTypeMask, 0u);  // a plain push button
  EXPECT_EQ(Utf8(records.controls[1].text), "走人(&O)");

  const DialogData& name = *FindDialog(1002);
  EXPECT_EQ(Utf8(name.controls[1].text), " 输 入 大 名 :");
  EXPECT_EQ(name.controls[2].style & style::kEditAutoHScroll, 0u);
  EXPECT_NE(name.controls[2].style & style::kBorder, 0u);
  EXPECT_NE(name.controls[2].style & style::kTabStop, 0u);
  EXPECT_EQ(name.controls[3].style & style::kButtonTypeMask, style::kDefPushButton);

  const DialogData& about = *FindDialog(1003);
  EXPECT_EQ(Utf8(about.controls[0].text), "原创人员");
  EXPECT_EQ(Utf8(about.controls[6].text), "创作人员");
  EXPECT_EQ(Utf8(about.controls[12].text), "友情汉化");
  EXPECT_EQ(Utf8(about.controls[1].text), "原来如此(&O)");
  // The two credit lines with a literal "&" show it as it is.
  EXPECT_NE(about.controls[4].style & style::kStaticNoPrefix, 0u);
  EXPECT_NE(Utf8(about.controls[4].text).find('&'), std::string::npos);
  EXPECT_NE(about.controls[7].style & style::kStaticNoPrefix, 0u);
  EXPECT_EQ(about.controls[8].style & style::kStaticTypeMask, style::kStaticCentre);
  EXPECT_EQ(Utf8(about.controls[8].text), "the Color rolvi developers");
  // The version line carries the version CMake's project() gives every build.
  EXPECT_EQ(Utf8(about.controls[11].text), std::string("Color rolvi 版本 ") + ROLVI_VERSION);
}

TEST(ResourceTablesTest, BitmapsAndIconComeFromTheirFiles) {
  for (const int id : {2000, 2001}) {
    const auto bitmap = FindBitmap(id);
    ASSERT_GT(bitmap.size(), 54u) << id;
    EXPECT_EQ(bitmap[0], 'B');
    EXPECT_EQ(bitmap[1], 'M');
  }
  EXPECT_TRUE(FindBitmap(2002).empty());
  ASSERT_EQ(Resources().icons.size(), 1u);
  EXPECT_EQ(Resources().icons[0].id, 3000);
  ASSERT_GT(Resources().icons[0].bytes.size(), 6u);
  EXPECT_EQ(Resources().icons[0].bytes[2], 1);  // an icon file's type field
}

}  // namespace
}  // namespace rolvi::platform::widgets
