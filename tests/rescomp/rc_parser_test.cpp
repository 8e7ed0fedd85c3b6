#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "cpp_writer.h"
#include "platform/widgets/resource_tables.h"
#include "rc_script.h"

namespace rolvi::rescomp {
namespace {

// Styles with NOT, doubled quotes, escapes and comments; the keywords give the values the
// desktop back end reads through its own style constants.
TEST(RcParserTest, ReadsStylesEscapesCommentsAndTheKeywordsMeanWhatTheTablesRead) {
  namespace style = platform::widgets::style;
  const auto result = ParseResourceScript(R"(#include <windows.h>
// a comment
7 DIALOGEX 1, 2, 30, 40 /* block
comment */
STYLE WS_POPUP | 0x10
EXSTYLE WS_EX_TOOLWINDOW
CAPTION "Say ""hi"""
FONT 9, "Name", 0, 0, 0x86
{
    LTEXT "a\tb", -1, 1, 2, 3, 4, SS_NOPREFIX | NOT WS_GROUP
    EDITTEXT 257, 5, 6, 7, 8, NOT ES_AUTOHSCROLL
}
1 MENU
BEGIN
    POPUP "&Help", HELP
    BEGIN
        MENUITEM "&Rules\bF1", 768, CHECKED
        MENUITEM SEPARATOR
    END
END
1 ACCELERATORS
BEGIN
    VK_F1, 768, VIRTKEY
    "x", 258, ASCII, ALT
END
2 DIALOG 0, 0, 10, 10
STYLE DS_CENTER | WS_CAPTION
BEGIN
    GROUPBOX "", -1, 0, 0, 1, 1
    PUSHBUTTON "a", 1, 0, 0, 1, 1
    DEFPUSHBUTTON "b", 2, 0, 0, 1, 1
    CTEXT "c", -1, 0, 0, 1, 1
END
)");
  ASSERT_TRUE(result.ok) << result.error;
  ASSERT_EQ(result.script.dialogs.size(), 2u);
  const RcDialog& extended = result.script.dialogs[0];
  EXPECT_TRUE(extended.extended);
  EXPECT_EQ(extended.style, 0x80000010u);
  EXPECT_EQ(extended.ex_style, 0x80u);
  EXPECT_EQ(extended.caption, "Say \"hi\"");
  EXPECT_EQ(extended.font_name, "Name");
  ASSERT_EQ(extended.controls.size(), 2u);
  EXPECT_EQ(extended.controls[0].text, "a\tb");
  // Child and visible, left text without its default group bit, no prefix.
  EXPECT_EQ(extended.controls[0].style, 0x50000080u);
  EXPECT_EQ(extended.controls[1].control_class, RcControlClass::kEdit);
  EXPECT_EQ(extended.controls[1].style & 0x80u, 0u);
  EXPECT_NE(extended.controls[1].style & 0x00800000u, 0u);

  const RcPopup& help = result.script.menus.at(0).popups.at(0);
  EXPECT_TRUE(help.right_justify);
  ASSERT_EQ(help.items.size(), 2u);
  EXPECT_EQ(help.items[0].text, "&Rules\bF1");
  EXPECT_TRUE(help.items[0].checked);
  EXPECT_TRUE(help.items[1].separator);
  const auto& keys = result.script.accelerator_tables.at(0).rows;
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_TRUE(keys[0].virtual_key && !keys[0].alt && keys[0].key == 0x70);
  EXPECT_TRUE(!keys[1].virtual_key && keys[1].alt && keys[1].key == 'x');
  const RcDialog& dialog = result.script.dialogs[1];
  EXPECT_NE(dialog.style & style::kDialogCentre, 0u);
  EXPECT_NE(dialog.style & style::kCaption, 0u);
  ASSERT_EQ(dialog.controls.size(), 4u);
  EXPECT_EQ(dialog.controls[0].style & style::kButtonTypeMask, style::kGroupBox);
  EXPECT_EQ(dialog.controls[1].style & style::kButtonTypeMask, 0u);  // a plain push button
  EXPECT_EQ(dialog.controls[2].style & style::kButtonTypeMask, style::kDefPushButton);
  EXPECT_NE(dialog.controls[2].style & style::kTabStop, 0u);
  EXPECT_EQ(dialog.controls[3].style & style::kStaticTypeMask, style::kStaticCentre);
}

// The version line of the about box: a string from an included header joined to the text.
TEST(RcParserTest, IncludedMacrosAndAdjacentStringsMakeOneText) {
  const IncludeReader headers = [](std::string_view name) -> std::optional<std::string> {
    if (name == "version.h") return "// generated\n#pragma once\n#define VERSION \"2.5.1\"\n";
    if (name == "outer.h") return "#include \"version.h\"\n#define LABEL \"v\" VERSION\n";
    return std::nullopt;
  };
  const auto result = ParseResourceScript(R"(#include <windows.h>
#include "outer.h"
#define ID 42
1 DIALOG 0, 0, 10, 10
CAPTION "About " LABEL
BEGIN
    CTEXT "Game " "version " VERSION "!", ID, 1, 2, 3, 4
    LTEXT "VERSION", -1, 1, 2, 3, 4
END
)",
                                          headers);
  ASSERT_TRUE(result.ok) << result.error;
  const RcDialog& dialog = result.script.dialogs.at(0);
  EXPECT_EQ(dialog.caption, "About v2.5.1");
  ASSERT_EQ(dialog.controls.size(), 2u);
  EXPECT_EQ(dialog.controls[0].text, "Game version 2.5.1!");
  EXPECT_EQ(dialog.controls[0].id, 42);
  EXPECT_EQ(dialog.controls[1].text, "VERSION");  // a name inside quotes stays text
}

// LANGUAGE applies to what follows it; a block's own LANGUAGE only to that block. Numbers
// may be followed by a comma, and each table keeps the order of its numbers.
TEST(RcParserTest, StringTablesKeepTheirLanguagesAndNumberOrder) {
  const auto result = ParseResourceScript(R"(#define IDS_B 5
STRINGTABLE
BEGIN
    IDS_B "b"
    2, "a" " joined"
END
LANGUAGE LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED
1 MENU
BEGIN
END
STRINGTABLE LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US
{
    7 "seven"
}
STRINGTABLE
BEGIN
    3 "c"
END
)");
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.script.menus.at(0).language, 0x0804);
  const auto& tables = result.script.string_tables;
  ASSERT_EQ(tables.size(), 3u);
  EXPECT_EQ(tables[0].language, 0);  // before any LANGUAGE
  ASSERT_EQ(tables[0].strings.size(), 2u);
  EXPECT_EQ(tables[0].strings[0].id, 2);
  EXPECT_EQ(tables[0].strings[0].text, "a joined");
  EXPECT_EQ(tables[0].strings[1].id, 5);
  EXPECT_EQ(tables[1].language, 0x0409);
  EXPECT_EQ(tables[1].strings.at(0).text, "seven");
  EXPECT_EQ(tables[2].language, 0x0804);
  EXPECT_EQ(tables[2].strings.at(0).id, 3);
}

// Every fault stops the parse with a message that says what is wrong, most with its line.
TEST(RcParserTest, FaultsNameTheirLine) {
  const IncludeReader headers = [](std::string_view name) -> std::optional<std::string> {
    if (name == "self.h") return "#include \"self.h\"\n";
    if (name == "n.h") return "\n#define X 0x\n";
    return std::nullopt;
  };
  const struct {
    const char* script;
    const char* error;
  } cases[] = {
      {"1 DIALOG 0, 0, 1, 1\nSTYLE WS_BOGUS\nBEGIN\nEND\n", "line 2: unknown constant WS_BOGUS"},
      {"1 MENU\nBEGIN\nPOPUP \"File\n", "line 3: unterminated string"},
      {"1 ACCELERATORS\nBEGIN\n\"xy\", 2, ASCII\nEND\n", "line 3: a character accelerator"},
      {"1 MENU\nBEGIN\nPOPUP \"F\"\nBEGIN\n", "expected MENUITEM"},
      {"1 STRINGTABLE\nBEGIN\nEND\n", "line 1: unsupported resource type STRINGTABLE"},
      {"// one\n#include \"gone.h\"\n", "line 2: cannot read the include file \"gone.h\""},
      {"#include \"self.h\"\n", "nested too deeply"},
      {"\n#include \"n.h\"\n1 DIALOG X, 0, 1, 1\n", "line 3: bad number"},
      {"#define A A\n1 DIALOG A, 0, 1, 1\n", "line 2: macros nested too deeply"},
      {"#define F(x) x\n", "line 1: macros with parameters"},
      {"#define\n", "line 1: #define without a name"},
      {"#include \"open.h\n", "line 1: unterminated include file name"},
      {"STRINGTABLE\nBEGIN\n4 \"a\"\n\n4 \"b\"\nEND\n", "line 5: string 4 is given twice"},
      {"STRINGTABLE\nBEGIN\n70000 \"a\"\nEND\n", "line 3: string number out of range"},
      {"LANGUAGE 0x400, 1\n", "line 1: language out of range"},
      {"STRINGTABLE\nBEGIN\n4\nEND\n", "line 4: expected a string"},
  };
  for (const auto& c : cases) {
    const auto result = ParseResourceScript(c.script, headers);
    EXPECT_FALSE(result.ok) << c.script;
    EXPECT_NE(result.error.find(c.error), std::string::npos) << c.script << result.error;
  }
  // Without a reader every quoted include fails.
  EXPECT_FALSE(ParseResourceScript("#include \"version.h\"\n").ok);
}

TEST(RcParserTest, WriterRefusesATextGbkCannotHoldAndNamesIt) {
  auto parsed = ParseResourceScript(
      "1 MENU\nBEGIN\nPOPUP \"\xF0\x9F\x98\x80\"\nBEGIN\nEND\nEND\n1 ACCELERATORS\nBEGIN\nEND\n");
  ASSERT_TRUE(parsed.ok) << parsed.error;
  std::string warnings;
  const auto written = WriteTables(parsed.script, ".", "Tables", warnings);
  EXPECT_FALSE(written.ok);
  EXPECT_EQ(written.error, "text has no GBK form: \xF0\x9F\x98\x80");
}

// A qualified accessor is defined in its own namespace, a plain one beside the tables' types;
// a name that is no C++ function name is refused before anything is written.
TEST(RcParserTest, WriterNamesTheAccessorWhereTheNameSays) {
  auto parsed = ParseResourceScript("1 MENU\nBEGIN\nEND\n1 ACCELERATORS\nBEGIN\nEND\n");
  ASSERT_TRUE(parsed.ok) << parsed.error;
  const auto tail = [](std::string_view space, std::string_view name) {
    const std::string type = "const ::rolvi::platform::widgets::ResourceTables& ";
    return "namespace " + std::string(space) + " {\n\n" + type + std::string(name) + "();\n" +
           type + std::string(name) + "() {\n  return ::rolvi::platform::widgets::kTables;\n}\n\n" +
           "}  // namespace " + std::string(space) + "\n";
  };
  std::string warnings;
  const auto qualified = WriteTables(parsed.script, ".", "rolvi::res::Tables", warnings);
  ASSERT_TRUE(qualified.ok) << qualified.error;
  EXPECT_TRUE(qualified.source.ends_with(tail("rolvi::res", "Tables"))) << qualified.source;
  const auto plain = WriteTables(parsed.script, ".", "FixtureTables", warnings);
  ASSERT_TRUE(plain.ok) << plain.error;
  EXPECT_TRUE(plain.source.ends_with(tail("rolvi::platform::widgets", "FixtureTables")))
      << plain.source;
  for (const char* wrong : {"", "::Tables", "res::", "res::::Tables", "2Tables", "res::Ta-bles"}) {
    const auto written = WriteTables(parsed.script, ".", wrong, warnings);
    EXPECT_FALSE(written.ok) << wrong;
    EXPECT_EQ(written.error, "'" + std::string(wrong) + "' is not a function name");
  }
}

}  // namespace
}  // namespace rolvi::rescomp
