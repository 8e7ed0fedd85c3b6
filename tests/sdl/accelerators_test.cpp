#include "platform/widgets/accelerators.h"

#include <gtest/gtest.h>

namespace rolvi::platform::widgets {
namespace {

KeyEvent Function(int number) {
  KeyEvent key;
  key.key = Key::kFunction;
  key.function = number;
  return key;
}

KeyEvent Character(char c, bool alt, bool shift = false) {
  KeyEvent key;
  key.key = Key::kCharacter;
  key.character = c;
  key.alt = alt;
  key.shift = shift;
  return key;
}

TEST(AcceleratorsTest, TheTableGivesTheMenuCommands) {
  const auto table = Resources().accelerators;
  EXPECT_EQ(TranslateAccelerator(table, Function(1)), 768);
  EXPECT_EQ(TranslateAccelerator(table, Function(3)), 512);
  EXPECT_EQ(TranslateAccelerator(table, Function(4)), 256);
  EXPECT_EQ(TranslateAccelerator(table, Function(5)), 513);
  EXPECT_EQ(TranslateAccelerator(table, Character('x', true)), 258);
}

TEST(AcceleratorsTest, ModifiersAndOtherKeysDoNotMatch) {
  const auto table = Resources().accelerators;
  EXPECT_EQ(TranslateAccelerator(table, Function(2)), std::nullopt);
  EXPECT_EQ(TranslateAccelerator(table, Character('x', false)), std::nullopt);
  // Shift turns the character into "X", which the table does not list.
  EXPECT_EQ(TranslateAccelerator(table, Character('x', true, true)), std::nullopt);
  KeyEvent control_f1 = Function(1);
  control_f1.control = true;
  EXPECT_EQ(TranslateAccelerator(table, control_f1), std::nullopt);
  KeyEvent alt_f4 = Function(4);
  alt_f4.alt = true;
  EXPECT_EQ(TranslateAccelerator(table, alt_f4), std::nullopt);
}

}  // namespace
}  // namespace rolvi::platform::widgets
