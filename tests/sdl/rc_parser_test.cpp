#include <gtest/gtest.h>

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

TEST(RcParserTest, WriterRefusesATextGbkCannotHoldAndNamesIt) {
  auto parsed = ParseResourceScript(
      "1 MENU\nBEGIN\nPOPUP \"\xF0\x9F\x98\x80\"\nBEGIN\nEND\nEND\n1 ACCELERATORS\nBEGIN\nEND\n");
  ASSERT_TRUE(parsed.ok) << parsed.error;
  std::string warnings;
  const auto written = WriteTables(parsed.script, ".", warnings);
  EXPECT_FALSE(written.ok);
  EXPECT_EQ(written.error, "text has no GBK form: \xF0\x9F\x98\x80");
}

}  // namespace
}  // namespace rolvi::rescomp
