#include "platform/widgets/dialog_model.h"

#include <gtest/gtest.h>

#include "platform/dialog.h"
#include "platform/software/soft_surface.h"
#include "res/tables.h"
#include "shell/commands.h"

namespace rolvi::platform::widgets {
namespace {

KeyEvent Press(Key key, bool shift = false) {
  return {.key = key, .shift = shift};
}

TEST(DialogUnitsTest, BaseUnitsAndScaling) {
  const DialogBaseUnits base = BaseUnitsFromMetrics(312, 12);  // 6 pixels a character
  EXPECT_EQ(base.x, 6);
  EXPECT_EQ(base.y, 12);
  EXPECT_EQ(BaseUnitsFromMetrics(338, 13).x, 7);  // 6.5 rounds up
  EXPECT_EQ(BaseUnitsFromMetrics(0, 0).x, 1);
  EXPECT_EQ(DialogUnitsToPixelsX(160, base), 240);
  EXPECT_EQ(DialogUnitsToPixelsY(98, base), 147);
  EXPECT_EQ(DialogRectToPixels(57, 76, 46, 16, base), (Rect{86, 114, 155, 138}));
  EXPECT_EQ(DialogUnitsToPixelsX(-3, base), -5);  // rounds away from zero
}

class NameDialogTest : public ::testing::Test {
 protected:
  NameDialogTest()
      : model_(DialogModel::FromTemplate(*FindDialog(res::TablesFor("zh-CN"), 1002), measure_)) {
    model_.SetItemText(shell::kNameEditId, "Player");
    model_.FocusFirstTabStop();
  }
  SoftSurface measure_{1, 1};
  DialogModel model_;
};

TEST_F(NameDialogTest, LaidOutInDialogUnitsOfTheDialogFont) {
  const DialogBaseUnits base = MeasureBaseUnits(measure_);
  const DialogData& dialog = *FindDialog(res::TablesFor("zh-CN"), 1002);
  EXPECT_EQ(model_.client_size(), (Size{DialogUnitsToPixelsX(dialog.width, base),
                                        DialogUnitsToPixelsY(dialog.height, base)}));
  const ControlData& edit = dialog.controls[2];
  EXPECT_EQ(model_.controls()[2].rect,
            DialogRectToPixels(edit.x, edit.y, edit.width, edit.height, base));
  EXPECT_TRUE(model_.controls()[3].is_default);
}

// The edit field has the focus and its text is selected: typing replaces it, until the
// visible field is full.
TEST_F(NameDialogTest, TypingReplacesTheSelectedTextAndStopsWhenTheFieldIsFull) {
  ASSERT_EQ(model_.focus(), 2);
  ASSERT_NE(model_.Edit(), nullptr);
  EXPECT_EQ(model_.edit_field().selection_end(), 6u);
  model_.OnText("Al");
  EXPECT_EQ(model_.ItemText(shell::kNameEditId), "Al");
  model_.FocusFirstTabStop();  // selects "Al" again
  model_.OnText(std::string(100, 'W'));
  const std::string kept = model_.ItemText(shell::kNameEditId);
  EXPECT_GT(kept.size(), 3u);
  EXPECT_LT(kept.size(), 100u);
  const Rect inner{model_.controls()[2].rect.left + 3, 0, model_.controls()[2].rect.right - 3, 0};
  EXPECT_LT(measure_.MeasureText(kept, Font::kDialog, false).width, inner.width());
  EXPECT_GE(measure_.MeasureText(kept + "W", Font::kDialog, false).width, inner.width());
  EXPECT_FALSE(model_.OnText("W").redraw);
  model_.OnKey(Press(Key::kBackspace));
  EXPECT_EQ(model_.ItemText(shell::kNameEditId).size(), kept.size() - 1);
}

TEST_F(NameDialogTest, EnterTabAltMnemonicAndEscape) {
  EXPECT_EQ(model_.OnKey(Press(Key::kEnter)).command, shell::kButtonId);
  EXPECT_EQ(model_.OnKey(Press(Key::kEscape)).command, std::nullopt);
  KeyEvent letter{.key = Key::kCharacter, .character = 'o'};
  EXPECT_EQ(model_.OnKey(letter).command, std::nullopt);  // typing, not a mnemonic
  letter.alt = true;
  EXPECT_EQ(model_.OnKey(letter).command, shell::kButtonId);
  model_.FocusFirstTabStop();
  model_.OnKey(Press(Key::kTab));
  EXPECT_EQ(model_.focus(), 3);
  model_.OnKey(Press(Key::kTab));
  EXPECT_EQ(model_.focus(), 2);
  model_.OnKey(Press(Key::kTab, true));
  EXPECT_EQ(model_.focus(), 3);
  EXPECT_EQ(model_.OnKey(Press(Key::kSpace)).command, shell::kButtonId);
}

TEST_F(NameDialogTest, AButtonClickIsAPressAndAReleaseOnIt) {
  const Rect button = model_.controls()[3].rect;
  model_.OnMouseDown(button.left + 2, button.top + 2);
  EXPECT_EQ(model_.OnMouseUp(button.left + 3, button.top + 3).command, shell::kButtonId);
  model_.OnMouseDown(button.left + 2, button.top + 2);
  EXPECT_EQ(model_.OnMouseUp(0, 0).command, std::nullopt);  // released elsewhere
}

// The page's own text input hands over its whole text at each change: it replaces the field's,
// ends where the field is full, drops control characters, and takes the focus to the field.
TEST_F(NameDialogTest, TheWholeTextOfTheSystemsOwnFieldReplacesTheFields) {
  model_.OnKey(Press(Key::kTab));
  ASSERT_NE(model_.focus(), 2);
  EXPECT_TRUE(model_.ReplaceEditText("Gr\tace").redraw);
  EXPECT_EQ(model_.ItemText(shell::kNameEditId), "Grace");
  EXPECT_EQ(model_.focus(), 2);
  EXPECT_FALSE(model_.edit_field().has_selection());
  model_.ReplaceEditText(std::string(40, 'W'));
  const std::string kept = model_.ItemText(shell::kNameEditId);
  EXPECT_LT(kept.size(), 40u);
  EXPECT_EQ(kept, std::string(kept.size(), 'W'));
  model_.ReplaceEditText("");
  EXPECT_EQ(model_.ItemText(shell::kNameEditId), "");
  // A dialog without a field takes nothing.
  SoftSurface measure(1, 1);
  DialogModel box = DialogModel::ForMessageBox("x", "", false, measure);
  EXPECT_FALSE(box.ReplaceEditText("Grace").redraw);
}

// On a touch screen every button is a finger high: it grows downwards, what holds it grows
// with it, what lies below moves down, and so does the dialog's bottom; nothing else changes.
// So in every language's templates.
TEST(TouchDialogModelTest, ButtonsGrowToAFingersHeightAndTheDialogWithThem) {
  SoftSurface measure(1, 1);
  for (const auto& tables : res::Languages()) {
    for (const int id : {1000, 1001, 1002, 1003}) {
      const DialogData& data = *FindDialog(tables, id);
      const DialogModel classic = DialogModel::FromTemplate(data, measure);
      const DialogModel touch = DialogModel::FromTemplate(data, measure, 40);
      ASSERT_EQ(touch.controls().size(), classic.controls().size());
      int growth = 0;
      for (std::size_t i = 0; i < touch.controls().size(); ++i) {
        const Rect before = classic.controls()[i].rect;
        const Rect after = touch.controls()[i].rect;
        EXPECT_EQ(after.left, before.left);
        EXPECT_EQ(after.right, before.right);
        EXPECT_EQ(after.top, before.top) << "dialog " << id << " control " << i;
        if (touch.controls()[i].role == ControlRole::kPushButton) {
          EXPECT_EQ(after.height(), std::max(40, before.height()));
          growth = std::max(growth, after.height() - before.height());
        }
      }
      EXPECT_GT(growth, 0);
      EXPECT_EQ(touch.client_size().height, classic.client_size().height + growth) << id;
      EXPECT_EQ(touch.client_size().width, classic.client_size().width);
    }
  }
  // A group box that holds a button grows with it; a control below a button moves down.
  constexpr ControlData kControls[] = {
      {ControlClass::kButton, -1, "", 0, 0, 100, 40, style::kGroupBox},
      {ControlClass::kButton, 1, "A", 10, 20, 40, 14, style::kTabStop},
      {ControlClass::kButton, 2, "B", 50, 20, 40, 14, style::kTabStop},
      {ControlClass::kStatic, -1, "below", 10, 50, 80, 10, 0}};
  const DialogData data{9, 0, 0, 100, 70, 0, 0, "", 9, "", kControls};
  const DialogModel classic = DialogModel::FromTemplate(data, measure);
  const DialogModel touch = DialogModel::FromTemplate(data, measure, 40);
  const int growth = 40 - classic.controls()[1].rect.height();
  EXPECT_EQ(touch.controls()[0].rect.bottom, classic.controls()[0].rect.bottom + growth);
  EXPECT_EQ(touch.controls()[1].rect.height(), 40);
  EXPECT_EQ(touch.controls()[2].rect.height(), 40);  // beside it: the same row, grown once
  EXPECT_EQ(touch.controls()[3].rect.top, classic.controls()[3].rect.top + growth);
  EXPECT_EQ(touch.client_size().height, classic.client_size().height + growth);
  const DialogModel box = DialogModel::ForMessageBox("x", "", false, measure, 40);
  EXPECT_EQ(box.controls()[1].rect.height(), 40);
  EXPECT_GE(box.client_size().height, box.controls()[1].rect.bottom);
}

TEST(MessageBoxModelTest, TextOkButtonAndIconPlace) {
  SoftSurface measure(1, 1);
  const DialogModel plain = DialogModel::ForMessageBox("Game over", "", false, measure);
  const DialogModel warning = DialogModel::ForMessageBox("Game over", "", true, measure);
  ASSERT_EQ(plain.controls().size(), 2u);
  EXPECT_EQ(plain.controls()[1].id, kOkButtonId);
  EXPECT_TRUE(plain.controls()[1].is_default);
  EXPECT_GT(warning.controls()[0].rect.left, plain.controls()[0].rect.left);
  EXPECT_GE(warning.controls()[0].rect.left, 12 + 32);
  // The button stays inside the box, below the text.
  const Rect ok = plain.controls()[1].rect;
  EXPECT_LE(ok.right, plain.client_size().width);
  EXPECT_GE(ok.top, plain.controls()[0].rect.bottom);
  DialogModel box = DialogModel::ForMessageBox("x", "", false, measure);
  box.FocusFirstTabStop();
  EXPECT_EQ(box.OnKey(Press(Key::kEnter)).command, kOkButtonId);
}

// A text of several lines, one of them a long file name without blanks, gets every line it
// needs: each line break starts one, and the long name is cut where the box ends.
TEST(MessageBoxModelTest, EveryLineOfALongerTextHasItsRoom) {
  SoftSurface measure(1, 1);
  const int line = measure.MeasureText("x", Font::kDialog, false).height;
  const auto text_rect = [&](std::string_view text) {
    return DialogModel::ForMessageBox(text, "", true, measure).controls()[0].rect;
  };
  EXPECT_EQ(text_rect("Cannot save:").height(), line);
  EXPECT_EQ(text_rect("Cannot save:\n/tmp/winrolvi.res\nNo room.").height(), 3 * line);
  const std::string path = "/" + std::string(120, 'a') + "/winrolvi.res";
  const Rect wrapped = text_rect("Cannot save:\n" + path + "\nNo room.");
  EXPECT_GE(wrapped.height(), 4 * line);
  EXPECT_LE(wrapped.width(), 322);
  // The widest line decides the width, not the whole text.
  EXPECT_LT(text_rect("Cannot save:\nx\nNo room.").width(),
            measure.MeasureText("Cannot save:xNo room.", Font::kDialog, false).width);
}

}  // namespace
}  // namespace rolvi::platform::widgets
