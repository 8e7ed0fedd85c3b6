#include "platform/widgets/dialog_model.h"

#include <algorithm>

#include "platform/software/glyphs.h"
#include "platform/software/text_layout.h"
#include "platform/widgets/menu_bar.h"
#include "platform/widgets/widgets.h"

namespace rolvi::platform::widgets {
namespace {

constexpr int kMessageMargin = 12;
constexpr int kMessageTextWidth = 320;
// What a window manager's title bar needs besides the caption text: the window-menu icon and
// three buttons of 20 pixels each (IceWM's win95 look) and some padding around the caption.
constexpr int kTitleBarFurniture = 4 * 20 + 16;

// A message box's text: as wide as its widest line up to kMessageTextWidth, and as many lines
// high as its static control, which wraps it at that width, draws.
Size MessageTextSize(std::string_view gbk_text, const Surface& measure) {
  int widest = 0;
  for (std::size_t start = 0; start <= gbk_text.size();) {
    const std::size_t end = std::min(gbk_text.find('\n', start), gbk_text.size());
    widest = std::max(
        widest,
        measure.MeasureText(gbk_text.substr(start, end - start), Font::kDialog, false).width);
    start = end + 1;
  }
  const int width = std::min(widest, kMessageTextWidth) + 2;
  const FontMetrics font = MetricsOf(Font::kDialog);
  const TextFormat format{.word_wrap = true, .mnemonics = false};
  int lines = 0;
  for (std::size_t position = 0; position < gbk_text.size(); ++lines) {
    const TextLine line = NextTextLine(gbk_text, position, font, format, width);
    if (line.next == position) break;
    position = line.next;
  }
  return {width, std::max(1, lines) * font.line_height};
}

bool Contains(const Rect& rect, int x, int y) {
  return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

bool IsLeadByte(char c) {
  return static_cast<unsigned char>(c) >= 0x81;
}

DialogControl ControlFromTemplate(const ControlData& data, DialogBaseUnits base) {
  DialogControl control;
  control.id = data.id;
  control.text = std::string(data.text);
  control.rect = DialogRectToPixels(data.x, data.y, data.width, data.height, base);
  control.tab_stop = (data.style & style::kTabStop) != 0;
  switch (data.control_class) {
    case ControlClass::kButton:
      if ((data.style & style::kButtonTypeMask) == style::kGroupBox) {
        control.role = ControlRole::kGroupBox;
        control.tab_stop = false;
      } else {
        control.role = ControlRole::kPushButton;
        control.is_default = (data.style & style::kButtonTypeMask) == style::kDefPushButton;
      }
      break;
    case ControlClass::kStatic: {
      control.role = ControlRole::kStatic;
      control.mnemonics = (data.style & style::kStaticNoPrefix) == 0;
      const std::uint32_t type = data.style & style::kStaticTypeMask;
      control.align = type == style::kStaticCentre  ? HorizontalAlign::kCentre
                      : type == style::kStaticRight ? HorizontalAlign::kRight
                                                    : HorizontalAlign::kLeft;
      break;
    }
    case ControlClass::kEdit:
      control.role = ControlRole::kEdit;
      break;
  }
  return control;
}

// See FromTemplate: from the lowest button up, so that no growth moves a button still to grow.
void GrowButtons(std::vector<DialogControl>& controls, Size& client, int least_height) {
  std::vector<std::size_t> low;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].role == ControlRole::kPushButton && controls[i].rect.height() < least_height) {
      low.push_back(i);
    }
  }
  std::sort(low.begin(), low.end(), [&](std::size_t a, std::size_t b) {
    return controls[a].rect.bottom > controls[b].rect.bottom;
  });
  for (const std::size_t button : low) {
    const int growth = least_height - controls[button].rect.height();
    if (growth <= 0) continue;  // a button beside it grew it already
    const int edge = controls[button].rect.bottom;
    for (DialogControl& control : controls) {
      if (control.rect.top >= edge) {
        control.rect.top += growth;
        control.rect.bottom += growth;
      } else if (control.rect.bottom >= edge) {
        control.rect.bottom += growth;  // holds the button's lower edge, or stands beside it
      }
    }
    client.height += growth;
  }
}

}  // namespace

DialogModel::DialogModel(std::vector<DialogControl> controls, Size client_size,
                         const Surface& measure)
    : controls_(std::move(controls)), client_size_(client_size), measure_(&measure) {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].role == ControlRole::kEdit && edit_index_ < 0) {
      edit_index_ = static_cast<int>(i);
      edit_.SetText(controls_[i].text);
    }
  }
}

DialogModel DialogModel::FromTemplate(const DialogData& dialog, const Surface& measure,
                                      int least_button_height) {
  const DialogBaseUnits base = MeasureBaseUnits(measure);
  std::vector<DialogControl> controls;
  for (const ControlData& data : dialog.controls)
    controls.push_back(ControlFromTemplate(data, base));
  Size client{DialogUnitsToPixelsX(dialog.width, base), DialogUnitsToPixelsY(dialog.height, base)};
  GrowButtons(controls, client, least_button_height);
  return DialogModel(std::move(controls), client, measure);
}

int MessageBoxWidthForCaption(std::string_view gbk_caption, const Surface& measure) {
  // The caption is measured in the 16-pixel main font, as big as the title fonts of common
  // window managers, so that no window manager has to shorten it.
  return measure.MeasureText(gbk_caption, Font::kMain, false).width + kTitleBarFurniture;
}

DialogModel DialogModel::ForMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                                       bool exclamation, const Surface& measure,
                                       int least_button_height) {
  const DialogBaseUnits base = MeasureBaseUnits(measure);
  const Size text_size = MessageTextSize(gbk_text, measure);
  const int text_width = text_size.width;
  const int text_height = text_size.height;
  const int text_left = kMessageMargin + (exclamation ? kIconSize + kMessageMargin : 0);
  const int body_height = std::max(text_height, exclamation ? kIconSize : 0);
  const int button_width = DialogUnitsToPixelsX(50, base);
  const int button_height = std::max(DialogUnitsToPixelsY(14, base), least_button_height);
  const int width =
      std::max({text_left + text_width + kMessageMargin, button_width + 2 * kMessageMargin + 60,
                MessageBoxWidthForCaption(gbk_caption, measure)});
  const int text_top = kMessageMargin + (body_height - text_height) / 2;
  const int button_top = kMessageMargin + body_height + kMessageMargin;

  std::vector<DialogControl> controls;
  DialogControl text;
  text.role = ControlRole::kStatic;
  text.text = std::string(gbk_text);
  text.rect = Rect{text_left, text_top, text_left + text_width, text_top + text_height};
  text.mnemonics = false;
  controls.push_back(text);
  DialogControl ok;
  ok.role = ControlRole::kPushButton;
  ok.id = kOkButtonId;
  ok.text = "OK";
  ok.tab_stop = true;
  ok.is_default = true;
  const int button_left = (width - button_width) / 2;
  ok.rect = Rect{button_left, button_top, button_left + button_width, button_top + button_height};
  controls.push_back(ok);
  DialogModel model(std::move(controls), Size{width, button_top + button_height + kMessageMargin},
                    measure);
  model.exclamation_ = exclamation;
  return model;
}

std::string DialogModel::ItemText(int id) const {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].id != id) continue;
    if (static_cast<int>(i) == edit_index_) return edit_.text();
    return controls_[i].text;
  }
  return {};
}

void DialogModel::SetItemText(int id, std::string_view gbk_text) {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].id != id) continue;
    controls_[i].text = std::string(gbk_text);
    if (static_cast<int>(i) == edit_index_) edit_.SetText(gbk_text);
  }
}

void DialogModel::SetFocus(int index) {
  focus_ = index;
  if (index >= 0 && index == edit_index_) edit_.SelectAll();
}

void DialogModel::FocusFirstTabStop() {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].tab_stop) {
      SetFocus(static_cast<int>(i));
      return;
    }
  }
}

void DialogModel::StepFocus(int direction) {
  const int count = static_cast<int>(controls_.size());
  int index = focus_;
  for (int tries = 0; tries < count; ++tries) {
    index = index < 0 ? (direction > 0 ? 0 : count - 1) : (index + direction + count) % count;
    if (controls_[static_cast<std::size_t>(index)].tab_stop) {
      SetFocus(index);
      return;
    }
  }
}

int DialogModel::DefaultButton() const {
  if (focus_ >= 0 && controls_[static_cast<std::size_t>(focus_)].role == ControlRole::kPushButton) {
    return focus_;
  }
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].role == ControlRole::kPushButton && controls_[i].is_default) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

DialogOutcome DialogModel::Activate(int index) {
  if (index < 0 || controls_[static_cast<std::size_t>(index)].role != ControlRole::kPushButton) {
    return DialogOutcome{};
  }
  return DialogOutcome{true, controls_[static_cast<std::size_t>(index)].id};
}

DialogOutcome DialogModel::OnKey(const KeyEvent& event) {
  const bool in_edit = focus_ >= 0 && focus_ == edit_index_;
  switch (event.key) {
    case Key::kTab:
      StepFocus(event.shift ? -1 : 1);
      return DialogOutcome{true, std::nullopt};
    case Key::kEnter:
      return Activate(DefaultButton());
    case Key::kSpace:
      if (!in_edit) return Activate(focus_);
      break;
    default:
      break;
  }
  if (in_edit && !event.alt && !event.control) {
    switch (event.key) {
      case Key::kBackspace:
        edit_.Backspace();
        return DialogOutcome{true, std::nullopt};
      case Key::kDelete:
        edit_.Delete();
        return DialogOutcome{true, std::nullopt};
      case Key::kLeft:
        edit_.MoveLeft(event.shift);
        return DialogOutcome{true, std::nullopt};
      case Key::kRight:
        edit_.MoveRight(event.shift);
        return DialogOutcome{true, std::nullopt};
      case Key::kHome:
        edit_.MoveHome(event.shift);
        return DialogOutcome{true, std::nullopt};
      case Key::kEnd:
        edit_.MoveEnd(event.shift);
        return DialogOutcome{true, std::nullopt};
      default:
        return DialogOutcome{};
    }
  }
  if (event.key == Key::kLeft || event.key == Key::kUp || event.key == Key::kRight ||
      event.key == Key::kDown) {
    StepFocus(event.key == Key::kLeft || event.key == Key::kUp ? -1 : 1);
    return DialogOutcome{true, std::nullopt};
  }
  // A button's mnemonic: with Alt anywhere, or alone when the focus is not in the edit field.
  if (event.key == Key::kCharacter && (event.alt || !in_edit) && !event.control) {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
      if (controls_[i].role == ControlRole::kPushButton && controls_[i].mnemonics &&
          MnemonicOf(controls_[i].text) == event.character) {
        SetFocus(static_cast<int>(i));
        return Activate(static_cast<int>(i));
      }
    }
  }
  return DialogOutcome{};
}

DialogOutcome DialogModel::OnText(std::string_view gbk_text) {
  if (focus_ < 0 || focus_ != edit_index_) return DialogOutcome{};
  return DialogOutcome{TypeIntoEdit(gbk_text), std::nullopt};
}

DialogOutcome DialogModel::ReplaceEditText(std::string_view gbk_text) {
  if (edit_index_ < 0) return DialogOutcome{};
  focus_ = edit_index_;
  edit_.SetText("");
  TypeIntoEdit(gbk_text);
  return DialogOutcome{true, std::nullopt};
}

bool DialogModel::TypeIntoEdit(std::string_view gbk_text) {
  const Rect inner = EditTextRect(controls_[static_cast<std::size_t>(edit_index_)].rect);
  const auto fits = [&](std::string_view text) {
    // One pixel stays free for the caret after the last character.
    return measure_->MeasureText(text, Font::kDialog, false).width < inner.width();
  };
  bool changed = false;
  for (std::size_t i = 0; i < gbk_text.size();) {
    const std::size_t length = (IsLeadByte(gbk_text[i]) && i + 1 < gbk_text.size()) ? 2 : 1;
    const auto character = gbk_text.substr(i, length);
    i += length;
    if (static_cast<unsigned char>(character[0]) < 0x20) continue;
    if (!edit_.Insert(character, fits)) break;  // the field is full
    changed = true;
  }
  return changed;
}

int DialogModel::ControlAt(int x, int y) const {
  for (std::size_t i = controls_.size(); i-- > 0;) {
    const ControlRole role = controls_[i].role;
    if ((role == ControlRole::kPushButton || role == ControlRole::kEdit) &&
        Contains(controls_[i].rect, x, y)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

DialogOutcome DialogModel::OnMouseDown(int x, int y) {
  const int index = ControlAt(x, y);
  if (index < 0) return DialogOutcome{};
  const DialogControl& control = controls_[static_cast<std::size_t>(index)];
  if (control.role == ControlRole::kEdit) {
    focus_ = index;
    // Caret at the character boundary nearest to the click.
    const Rect inner = EditTextRect(control.rect);
    const std::string& text = edit_.text();
    edit_.MoveHome(false);
    std::size_t position = 0;
    while (position < text.size()) {
      const std::size_t next =
          position + ((IsLeadByte(text[position]) && position + 1 < text.size()) ? 2 : 1);
      const int mid =
          inner.left +
          (measure_->MeasureText(std::string_view(text).substr(0, position), Font::kDialog, false)
               .width +
           measure_->MeasureText(std::string_view(text).substr(0, next), Font::kDialog, false)
               .width) /
              2;
      if (x < mid) break;
      edit_.MoveRight(false);
      position = next;
    }
    return DialogOutcome{true, std::nullopt};
  }
  focus_ = index;
  pressed_ = index;
  return DialogOutcome{true, std::nullopt};
}

DialogOutcome DialogModel::OnMouseUp(int x, int y) {
  if (pressed_ < 0) return DialogOutcome{};
  const int pressed = pressed_;
  pressed_ = -1;
  if (ControlAt(x, y) == pressed) return Activate(pressed);
  return DialogOutcome{true, std::nullopt};
}

void DialogModel::Paint(Surface& surface) const {
  surface.FillRect(Rect{0, 0, client_size_.width, client_size_.height},
                   surface.SystemColour(SystemColour::kFace));
  if (exclamation_) DrawExclamationIcon(surface, kMessageMargin, kMessageMargin);
  const int default_button = DefaultButton();
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const DialogControl& control = controls_[i];
    const bool focused = static_cast<int>(i) == focus_;
    switch (control.role) {
      case ControlRole::kGroupBox:
        DrawGroupBox(surface, control.rect, control.text);
        break;
      case ControlRole::kStatic:
        DrawStaticText(surface, control.rect, control.text, control.align, control.mnemonics);
        break;
      case ControlRole::kPushButton:
        DrawPushButton(surface, control.rect, control.text,
                       ButtonLook{static_cast<int>(i) == default_button,
                                  static_cast<int>(i) == pressed_, focused});
        break;
      case ControlRole::kEdit:
        DrawEditField(surface, control.rect, edit_, focused);
        break;
    }
  }
}

}  // namespace rolvi::platform::widgets
