#include "platform/widgets/menu_bar.h"

#include <gtest/gtest.h>

#include "platform/software/soft_surface.h"
#include "res/tables.h"

namespace rolvi::platform::widgets {
namespace {

KeyEvent AltLetter(char c) {
  return {.key = Key::kCharacter, .character = c, .alt = true};
}

class MenuBarTest : public ::testing::Test {
 protected:
  MenuBarTest() : menu_(res::Tables().menu) { menu_.Layout(measure_, 612); }
  SoftSurface measure_{1, 1};
  MenuBar menu_;
};

TEST(MenuTextTest, NamesLabelsAndMnemonics) {
  EXPECT_EQ(MenuItemName("New(&N)\bF4"), "New(&N)");
  EXPECT_EQ(MenuItemLabel("New(&N)\bF4"), "F4");
  EXPECT_EQ(MenuItemLabel("Records"), "");
  EXPECT_EQ(MnemonicOf("New(&N)"), 'n');
  EXPECT_EQ(MnemonicOf("A&&B &c"), 'c');
  EXPECT_EQ(MnemonicOf("none"), 0);
  EXPECT_EQ(MnemonicOf("\xB9\x26x"), 0);  // 0x26 inside a GBK character is no marker
}

TEST_F(MenuBarTest, TitlesRunFromTheLeftAndHelpStandsAtTheRightEnd) {
  EXPECT_EQ(menu_.TitleRect(0).left, 0);
  EXPECT_EQ(menu_.TitleRect(1).left, menu_.TitleRect(0).right);
  EXPECT_EQ(menu_.TitleRect(2).right, 612);
  EXPECT_GT(menu_.TitleRect(2).left, menu_.TitleRect(1).right);
  EXPECT_TRUE(menu_.IsChecked(512));
  EXPECT_FALSE(menu_.IsChecked(513));
  menu_.SetCheck(513, true);
  menu_.SetCheck(512, false);
  EXPECT_TRUE(menu_.IsChecked(513));
  EXPECT_FALSE(menu_.IsChecked(512));
}

TEST_F(MenuBarTest, AltLetterOpensAndArrowsSkipSeparators) {
  EXPECT_TRUE(menu_.OnKey(AltLetter('f')).consumed);
  EXPECT_EQ(menu_.mode(), MenuBar::Mode::kOpen);
  EXPECT_EQ(menu_.active_popup(), 0);
  EXPECT_EQ(menu_.active_item(), 0);
  menu_.OnKey(KeyEvent{.key = Key::kDown});
  menu_.OnKey(KeyEvent{.key = Key::kDown});  // over the separator
  EXPECT_EQ(menu_.active_item(), 3);
  menu_.OnKey(KeyEvent{.key = Key::kDown});  // wraps to the top
  EXPECT_EQ(menu_.active_item(), 0);
  menu_.OnKey(KeyEvent{.key = Key::kUp});
  EXPECT_EQ(menu_.active_item(), 3);
  const MenuResult chosen = menu_.OnKey(KeyEvent{.key = Key::kEnter});
  EXPECT_EQ(chosen.command, 258);
  EXPECT_EQ(menu_.mode(), MenuBar::Mode::kClosed);
}

TEST_F(MenuBarTest, LeftRightEscapeAndItemMnemonics) {
  menu_.OnKey(AltLetter('h'));
  EXPECT_EQ(menu_.active_popup(), 2);
  menu_.OnKey(KeyEvent{.key = Key::kRight});  // wraps to the first menu
  EXPECT_EQ(menu_.active_popup(), 0);
  menu_.OnKey(KeyEvent{.key = Key::kLeft});
  EXPECT_EQ(menu_.active_popup(), 2);
  menu_.OnKey(KeyEvent{.key = Key::kEscape});
  EXPECT_EQ(menu_.mode(), MenuBar::Mode::kBarFocus);
  menu_.OnKey(KeyEvent{.key = Key::kEscape});
  EXPECT_EQ(menu_.mode(), MenuBar::Mode::kClosed);

  menu_.OnAltTap();
  EXPECT_EQ(menu_.mode(), MenuBar::Mode::kBarFocus);
  KeyEvent letter{.key = Key::kCharacter, .character = 'o'};
  menu_.OnKey(letter);  // the Options menu
  EXPECT_EQ(menu_.active_popup(), 1);
  letter.character = 's';
  EXPECT_EQ(menu_.OnKey(letter).command, 513);
  // Without the bar active a plain letter is not the menu's.
  letter.character = 'f';
  EXPECT_FALSE(menu_.OnKey(letter).consumed);
  menu_.OnKey({.key = Key::kFunction, .function = 10});
  EXPECT_EQ(menu_.mode(), MenuBar::Mode::kBarFocus);
}

TEST_F(MenuBarTest, MouseOpensATitleAndChoosesAnItem) {
  const Rect title = menu_.TitleRect(2);
  menu_.OnMouseDown(title.left + 2, 5);
  menu_.OnMouseUp(title.left + 2, 5);
  ASSERT_EQ(menu_.mode(), MenuBar::Mode::kOpen);
  const Rect drop_down = *menu_.DropDownRect();
  EXPECT_LE(drop_down.right, 612);  // the Help drop-down stays inside the window
  const Rect about = menu_.ItemRect(2);
  const int x = drop_down.left + about.left + 5;
  const int y = drop_down.top + about.top + 2;
  menu_.OnMouseMove(x, y);
  EXPECT_EQ(menu_.active_item(), 2);
  menu_.OnMouseDown(x, y);
  EXPECT_EQ(menu_.OnMouseUp(x, y).command, 769);

  // A press outside closes the menu and is used up.
  menu_.OnMouseDown(menu_.TitleRect(0).left + 2, 5);
  EXPECT_TRUE(menu_.OnMouseDown(300, 300).consumed);
  EXPECT_EQ(menu_.mode(), MenuBar::Mode::kClosed);
  EXPECT_FALSE(menu_.OnMouseDown(300, 300).consumed);
}

}  // namespace
}  // namespace rolvi::platform::widgets
