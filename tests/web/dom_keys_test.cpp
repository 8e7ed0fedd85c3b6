#include "platform/web/dom_keys.h"

#include <gtest/gtest.h>

#include "platform/web/page.h"

namespace rolvi::platform::web {
namespace {

using widgets::Key;

TEST(DomKeysTest, LettersComeLowerCaseWithTheirModifiers) {
  const auto plain = KeyFromDom("KeyX", "x", 0);
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->key, Key::kCharacter);
  EXPECT_EQ(plain->character, 'x');
  EXPECT_FALSE(plain->alt || plain->shift || plain->control);

  const auto shifted = KeyFromDom("KeyX", "X", kModifierShift | kModifierAlt);
  ASSERT_TRUE(shifted);
  EXPECT_EQ(shifted->character, 'x');
  EXPECT_TRUE(shifted->shift);
  EXPECT_TRUE(shifted->alt);
}

TEST(DomKeysTest, TheLayoutsCharacterWinsAndThePositionServesWhenItIsNotAscii) {
  // A French keyboard types "a" on the key at the position of Q.
  EXPECT_EQ(KeyFromDom("KeyQ", "a", 0)->character, 'a');
  // Alt on some systems types a symbol; the key still counts as its letter.
  EXPECT_EQ(KeyFromDom("KeyX", "\xE2\x89\x88", kModifierAlt)->character, 'x');
  EXPECT_EQ(KeyFromDom("Digit7", "/", kModifierShift)->character, '/');
  EXPECT_EQ(KeyFromDom("Digit7", "\xC3\xA8", 0)->character, '7');
  EXPECT_EQ(KeyFromDom("Minus", "-", 0)->character, '-');
}

TEST(DomKeysTest, NamedAndFunctionKeys) {
  EXPECT_EQ(KeyFromDom("Enter", "Enter", 0)->key, Key::kEnter);
  EXPECT_EQ(KeyFromDom("NumpadEnter", "Enter", 0)->key, Key::kEnter);
  EXPECT_EQ(KeyFromDom("Space", " ", 0)->key, Key::kSpace);
  EXPECT_EQ(KeyFromDom("Backspace", "Backspace", 0)->key, Key::kBackspace);
  EXPECT_EQ(KeyFromDom("PageUp", "PageUp", 0)->key, Key::kPageUp);
  EXPECT_EQ(KeyFromDom("PageDown", "PageDown", 0)->key, Key::kPageDown);
  EXPECT_EQ(KeyFromDom("AltLeft", "Alt", kModifierAlt)->key, Key::kAlt);
  EXPECT_EQ(KeyFromDom("AltRight", "AltGraph", 0)->key, Key::kAlt);
  const auto f5 = KeyFromDom("F5", "F5", 0);
  ASSERT_TRUE(f5);
  EXPECT_EQ(f5->key, Key::kFunction);
  EXPECT_EQ(f5->function, 5);
  EXPECT_EQ(KeyFromDom("F12", "F12", 0)->function, 12);
}

TEST(DomKeysTest, KeysWithoutUseGiveNothing) {
  for (const auto& [code, key] : {std::pair{"F13", "F13"}, std::pair{"F0", "F0"},
                                  std::pair{"F1x", "F1x"}, std::pair{"CapsLock", "CapsLock"},
                                  std::pair{"ShiftLeft", "Shift"}, std::pair{"", "Unidentified"}}) {
    EXPECT_EQ(KeyFromDom(code, key, 0), std::nullopt) << code;
  }
  // A dead key (an accent waiting for its letter) still names its position.
  EXPECT_EQ(KeyFromDom("KeyX", "Dead", 0)->character, 'x');
}

}  // namespace
}  // namespace rolvi::platform::web
