// A dialog's controls and their behaviour, independent of any window: layout from a template
// in dialog units (or from pixels, for message boxes), item texts, keyboard focus and tab
// order, buttons with mnemonics and the default button, the edit field, and painting.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/surface.h"
#include "platform/widgets/dialog_units.h"
#include "platform/widgets/edit_field.h"
#include "platform/widgets/input.h"
#include "platform/widgets/resource_tables.h"

namespace rolvi::platform::widgets {

enum class ControlRole { kGroupBox, kStatic, kPushButton, kEdit };

struct DialogControl {
  ControlRole role = ControlRole::kStatic;
  int id = -1;
  std::string text;  // GBK
  Rect rect;         // client pixels
  bool tab_stop = false;
  bool is_default = false;
  bool mnemonics = true;
  HorizontalAlign align = HorizontalAlign::kLeft;
};

// Control identifier of a message box's OK button.
inline constexpr int kOkButtonId = 1;

// The least client width of a message box whose title bar shows `gbk_caption` in full.
int MessageBoxWidthForCaption(std::string_view gbk_caption, const Surface& measure);

struct DialogOutcome {
  bool redraw = false;
  std::optional<int> command;  // a button was activated
};

class DialogModel {
 public:
  // `measure` gives the dialog font's metrics; it must outlive the model.
  DialogModel(std::vector<DialogControl> controls, Size client_size, const Surface& measure);
  // Buttons lower than `least_button_height` (a finger's target on a touch screen) grow
  // downwards to it; what lies below them moves down as much, and what holds them (a group
  // box) and the dialog grow with them.
  static DialogModel FromTemplate(const DialogData& dialog, const Surface& measure,
                                  int least_button_height = 0);
  // A message box: the text, an OK button and, if asked, the exclamation icon; wide enough
  // for its caption in a window manager's title bar.
  static DialogModel ForMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                                   bool exclamation, const Surface& measure,
                                   int least_button_height = 0);

  Size client_size() const { return client_size_; }
  void SetClientSize(Size size) { client_size_ = size; }
  const std::vector<DialogControl>& controls() const { return controls_; }
  std::string ItemText(int id) const;
  void SetItemText(int id, std::string_view gbk_text);

  // Gives the focus to the first tab stop; an edit field there gets its text selected.
  void FocusFirstTabStop();
  int focus() const { return focus_; }  // index into controls(), or -1
  const EditField* Edit() const { return edit_index_ >= 0 ? &edit_ : nullptr; }
  const EditField& edit_field() const { return edit_; }

  DialogOutcome OnKey(const KeyEvent& event);
  // Typed text, GBK: each character goes in while it fits.
  DialogOutcome OnText(std::string_view gbk_text);
  // The edit field's whole text as the player made it in a field of the window system's own
  // (the page's text input), which then has the focus: as if the field were emptied and the
  // text typed into it, so it ends where the field is full.
  DialogOutcome ReplaceEditText(std::string_view gbk_text);
  DialogOutcome OnMouseDown(int x, int y);
  DialogOutcome OnMouseUp(int x, int y);

  void Paint(Surface& surface) const;

 private:
  int ControlAt(int x, int y) const;
  void SetFocus(int index);
  void StepFocus(int direction);
  int DefaultButton() const;
  // Types each character at the caret while it fits; true when any went in.
  bool TypeIntoEdit(std::string_view gbk_text);
  DialogOutcome Activate(int index);

  std::vector<DialogControl> controls_;
  Size client_size_;
  const Surface* measure_;
  EditField edit_;
  int edit_index_ = -1;
  int focus_ = -1;
  int pressed_ = -1;
  bool exclamation_ = false;
};

}  // namespace rolvi::platform::widgets
