#include "platform/widgets/edit_field.h"

#include <gtest/gtest.h>

namespace rolvi::platform::widgets {
namespace {

// A field that holds at most `bytes` bytes.
EditField::FitsTest AtMost(std::size_t bytes) {
  return [bytes](std::string_view text) { return text.size() <= bytes; };
}

TEST(EditFieldTest, TypingReplacesTheSelectionAndStopsWhenTheFieldIsFull) {
  EditField field;
  field.SetText("Player");
  field.SelectAll();
  EXPECT_TRUE(field.Insert("a", AtMost(4)));
  EXPECT_TRUE(field.Insert("bcd", AtMost(4)));
  EXPECT_EQ(field.text(), "abcd");
  EXPECT_EQ(field.caret(), 4u);
  EXPECT_FALSE(field.has_selection());
  EXPECT_FALSE(field.Insert("e", AtMost(4)));
  EXPECT_EQ(field.text(), "abcd");
  field.MoveLeft(false);
  field.MoveLeft(true);                       // select "c"
  EXPECT_TRUE(field.Insert("Z", AtMost(4)));  // replacing keeps the length
  EXPECT_EQ(field.text(), "abZd");
  EXPECT_EQ(field.caret(), 3u);
}

TEST(EditFieldTest, EditingKeysAndShiftSelection) {
  EditField field;
  field.SetText("hello");
  field.MoveHome(false);
  field.Delete();
  EXPECT_EQ(field.text(), "ello");
  field.MoveEnd(false);
  field.Backspace();
  EXPECT_EQ(field.text(), "ell");
  field.MoveHome(false);
  field.MoveRight(true);
  field.MoveRight(true);
  EXPECT_EQ(field.selection_start(), 0u);
  EXPECT_EQ(field.selection_end(), 2u);
  field.MoveRight(false);  // collapses to the selection's end
  EXPECT_EQ(field.caret(), 2u);
  field.MoveEnd(true);
  field.Backspace();
  EXPECT_EQ(field.text(), "el");
  field.MoveHome(false);
  field.Backspace();  // nothing before the caret
  EXPECT_EQ(field.text(), "el");
}

TEST(EditFieldTest, TwoByteCharactersMoveAndEraseAsOne) {
  EditField field;
  field.SetText(
      "a\xC4\xE3"
      "b");  // "a", one GBK character, "b"
  field.MoveLeft(false);
  EXPECT_EQ(field.caret(), 3u);
  field.MoveLeft(false);
  EXPECT_EQ(field.caret(), 1u);
  field.MoveRight(false);
  EXPECT_EQ(field.caret(), 3u);
  field.Backspace();
  EXPECT_EQ(field.text(), "ab");
  field.SetText("\xC4\xE3\xBA\xC3");
  field.MoveHome(false);
  field.Delete();
  EXPECT_EQ(field.text(), "\xBA\xC3");
}

}  // namespace
}  // namespace rolvi::platform::widgets
