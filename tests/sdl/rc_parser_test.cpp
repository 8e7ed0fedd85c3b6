#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "cpp_writer.h"
#include "rc_script.h"

namespace rolvi::rescomp {
namespace {

TEST(RcParserTest, ReadsStylesWithNotEscapesAndComments) {
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
)");
  ASSERT_TRUE(result.ok) << result.error;
  ASSERT_EQ(result.script.dialogs.size(), 1u);
  const RcDialog& dialog = result.script.dialogs[0];
  EXPECT_TRUE(dialog.extended);
  EXPECT_EQ(dialog.style, 0x80000010u);
  EXPECT_EQ(dialog.ex_style, 0x80u);
  EXPECT_EQ(dialog.caption, "Say \"hi\"");
  EXPECT_EQ(dialog.font_name, "Name");
  ASSERT_EQ(dialog.controls.size(), 2u);
  EXPECT_EQ(dialog.controls[0].text, "a\tb");
  // Child and visible, left text without its default group bit, no prefix.
  EXPECT_EQ(dialog.controls[0].style, 0x50000080u);
  EXPECT_EQ(dialog.controls[1].control_class, RcControlClass::kEdit);
  EXPECT_EQ(dialog.controls[1].style & 0x80u, 0u);
  EXPECT_NE(dialog.controls[1].style & 0x00800000u, 0u);
}

TEST(RcParserTest, ErrorsNameTheirLine) {
  const auto unknown = ParseResourceScript("1 DIALOG 0, 0, 1, 1\nSTYLE WS_BOGUS\nBEGIN\nEND\n");
  EXPECT_FALSE(unknown.ok);
  EXPECT_EQ(unknown.error, "line 2: unknown constant WS_BOGUS");
  const auto open_string = ParseResourceScript("1 MENU\nBEGIN\nPOPUP \"File\n");
  EXPECT_FALSE(open_string.ok);
  EXPECT_EQ(open_string.error.rfind("line 3:", 0), 0u);
  const auto long_key = ParseResourceScript("1 ACCELERATORS\nBEGIN\n\"xy\", 2, ASCII\nEND\n");
  EXPECT_FALSE(long_key.ok);
  const auto unfinished = ParseResourceScript("1 MENU\nBEGIN\nPOPUP \"F\"\nBEGIN\n");
  EXPECT_FALSE(unfinished.ok);
  EXPECT_FALSE(ParseResourceScript("1 STRINGTABLE\nBEGIN\nEND\n").ok);
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

TEST(RcParserTest, IncludeAndDefineFaultsNameTheirLine) {
  const IncludeReader none = [](std::string_view) { return std::optional<std::string>(); };
  const auto missing = ParseResourceScript("// one\n#include \"gone.h\"\n", none);
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(missing.error, "line 2: cannot read the include file \"gone.h\"");
  // Without a reader every quoted include fails.
  EXPECT_FALSE(ParseResourceScript("#include \"version.h\"\n").ok);

  const IncludeReader bad = [](std::string_view name) -> std::optional<std::string> {
    if (name == "self.h") return "#include \"self.h\"\n";
    return "\n#define X 0x\n";
  };
  const auto looped = ParseResourceScript("#include \"self.h\"\n", bad);
  EXPECT_FALSE(looped.ok);
  EXPECT_NE(looped.error.find("nested too deeply"), std::string::npos) << looped.error;
  const auto bad_number = ParseResourceScript("\n#include \"n.h\"\n1 DIALOG X, 0, 1, 1\n", bad);
  EXPECT_FALSE(bad_number.ok);
  EXPECT_EQ(bad_number.error, "line 3: bad number");

  const auto recursive = ParseResourceScript("#define A A\n1 DIALOG A, 0, 1, 1\n");
  EXPECT_FALSE(recursive.ok);
  EXPECT_NE(recursive.error.find("nested too deeply"), std::string::npos) << recursive.error;
  EXPECT_FALSE(ParseResourceScript("#define F(x) x\n").ok);
  EXPECT_FALSE(ParseResourceScript("#define\n").ok);
  EXPECT_FALSE(ParseResourceScript("#include \"open.h\n").ok);
}

TEST(RcParserTest, WriterConvertsTextsToGbkAndRefusesWhatGbkCannotHold) {
  std::string gbk;
  ASSERT_TRUE(Utf8ToGbk("文件", gbk));
  EXPECT_EQ(gbk, "\xCE\xC4\xBC\xFE");
  EXPECT_FALSE(Utf8ToGbk("\xF0\x9F\x98\x80", gbk));  // an emoji has no GBK form

  auto parsed = ParseResourceScript(
      "1 MENU\nBEGIN\nPOPUP \"\xF0\x9F\x98\x80\"\nBEGIN\nEND\nEND\n1 ACCELERATORS\nBEGIN\nEND\n");
  ASSERT_TRUE(parsed.ok) << parsed.error;
  std::string warnings;
  const auto written = WriteTables(parsed.script, ".", warnings);
  EXPECT_FALSE(written.ok);
}

}  // namespace
}  // namespace rolvi::rescomp
