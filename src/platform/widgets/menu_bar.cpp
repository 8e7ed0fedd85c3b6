#include "platform/widgets/menu_bar.h"

#include <algorithm>

#include "platform/widgets/widgets.h"

namespace rolvi::platform::widgets {
namespace {

constexpr Font kMenuFont = Font::kDialog;
constexpr int kTitlePadding = 6;  // left and right of a title's text
constexpr int kCheckColumn = 18;  // the check marks' column left of the names
constexpr int kLabelGap = 24;     // between the longest name and the labels
constexpr int kRightMargin = 14;
constexpr int kFrame = 3;  // raised frame and one pixel of face inside it

std::size_t LabelStart(std::string_view text) {
  return std::min(text.find('\b'), text.find('\t'));
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

TextFormat OneLine(HorizontalAlign align) {
  TextFormat format;
  format.align = align;
  format.single_line = true;
  format.vertical_centre = true;
  return format;
}

void DrawCheckMark(Surface& surface, int x, int y, Rgb colour) {
  // A tick seven pixels wide and three thick, its lowest point at (x + 2, y + 5).
  for (int i = 0; i < 7; ++i) {
    const int top = i < 3 ? y + 2 + i : y + 4 - (i - 3) + 1;
    surface.FillRect(Rect{x + i, top, x + i + 1, top + 3}, colour);
  }
}

}  // namespace

std::string_view MenuItemName(std::string_view text) {
  return text.substr(0, LabelStart(text));
}

std::string_view MenuItemLabel(std::string_view text) {
  const std::size_t start = LabelStart(text);
  return start == std::string_view::npos ? std::string_view{} : text.substr(start + 1);
}

char MnemonicOf(std::string_view text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) >= 0x81) {
      ++i;  // skip the second byte of a GBK character
      continue;
    }
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return Lower(text[i + 1]);
  }
  return 0;
}

MenuBar::MenuBar(std::span<const MenuData> menus) {
  for (const MenuData& menu : menus) {
    Popup popup{&menu, {}, 0, 0};
    for (const MenuItemData& item : menu.items)
      popup.checked.push_back(item.checked);
    popups_.push_back(std::move(popup));
  }
  titles_.resize(popups_.size());
}

void MenuBar::Layout(const Surface& measure, int window_width) {
  const int line = measure.MeasureText("M", kMenuFont, true).height;
  // A classic desktop's 20-pixel bar, taller only for a font that would not fit it with three
  // pixels above and below its line.
  height_ = std::max(20, line + 6);
  item_height_ = line + 6;
  window_width_ = window_width;
  std::vector<int> widths;
  for (const Popup& popup : popups_) {
    widths.push_back(measure.MeasureText(popup.data->title, kMenuFont, true).width +
                     2 * kTitlePadding);
  }
  // Titles run from the left; from the first right-justified menu on they stand at the
  // bar's right end.
  std::size_t justified = popups_.size();
  for (std::size_t i = 0; i < popups_.size(); ++i) {
    if (popups_[i].data->right_justify) {
      justified = i;
      break;
    }
  }
  int x = 0;
  for (std::size_t i = 0; i < justified; ++i) {
    titles_[i] = Rect{x, 1, x + widths[i], height_ - 1};
    x += widths[i];
  }
  int right_part = 0;
  for (std::size_t i = justified; i < popups_.size(); ++i)
    right_part += widths[i];
  x = std::max(x, window_width - right_part);
  for (std::size_t i = justified; i < popups_.size(); ++i) {
    titles_[i] = Rect{x, 1, x + widths[i], height_ - 1};
    x += widths[i];
  }
  for (Popup& popup : popups_) {
    int names = 0;
    int labels = 0;
    for (const MenuItemData& item : popup.data->items) {
      names = std::max(names, measure.MeasureText(MenuItemName(item.text), kMenuFont, true).width);
      labels =
          std::max(labels, measure.MeasureText(MenuItemLabel(item.text), kMenuFont, false).width);
    }
    popup.width = kFrame + kCheckColumn + names + (labels > 0 ? kLabelGap + labels : 0) +
                  kRightMargin + kFrame;
    popup.label_x = popup.width - kFrame - kRightMargin;
  }
}

void MenuBar::SetCheck(int command, bool checked) {
  for (Popup& popup : popups_) {
    for (std::size_t i = 0; i < popup.checked.size(); ++i) {
      if (!popup.data->items[i].separator && popup.data->items[i].command == command) {
        popup.checked[i] = checked;
      }
    }
  }
}

bool MenuBar::IsChecked(int command) const {
  for (const Popup& popup : popups_) {
    for (std::size_t i = 0; i < popup.checked.size(); ++i) {
      if (!popup.data->items[i].separator && popup.data->items[i].command == command) {
        return popup.checked[i];
      }
    }
  }
  return false;
}

void MenuBar::Close() {
  mode_ = Mode::kClosed;
  item_ = -1;
  tracking_ = false;
}

int MenuBar::ItemCount() const {
  return static_cast<int>(popups_[static_cast<std::size_t>(popup_)].data->items.size());
}

bool MenuBar::IsSelectable(int popup, int item) const {
  const auto& items = popups_[static_cast<std::size_t>(popup)].data->items;
  return item >= 0 && item < static_cast<int>(items.size()) &&
         !items[static_cast<std::size_t>(item)].separator;
}

void MenuBar::Open(int popup, bool select_first) {
  mode_ = Mode::kOpen;
  popup_ = popup;
  item_ = -1;
  if (select_first) StepItem(1);
}

void MenuBar::StepItem(int direction) {
  const int count = ItemCount();
  if (count == 0) return;
  int item = item_;
  for (int tries = 0; tries < count; ++tries) {
    item = item < 0 ? (direction > 0 ? 0 : count - 1) : (item + direction + count) % count;
    if (IsSelectable(popup_, item)) {
      item_ = item;
      return;
    }
  }
}

void MenuBar::StepPopup(int direction) {
  const int count = static_cast<int>(popups_.size());
  if (count == 0) return;
  popup_ = (popup_ + direction + count) % count;
}

MenuResult MenuBar::Choose(int item) {
  MenuResult result{true, std::nullopt};
  if (IsSelectable(popup_, item)) {
    result.command = popups_[static_cast<std::size_t>(popup_)]
                         .data->items[static_cast<std::size_t>(item)]
                         .command;
  }
  Close();
  return result;
}

MenuResult MenuBar::OnAltTap() {
  if (mode_ == Mode::kClosed) {
    mode_ = Mode::kBarFocus;
    popup_ = 0;
    item_ = -1;
  } else {
    Close();
  }
  return MenuResult{true, std::nullopt};
}

MenuResult MenuBar::OnKey(const KeyEvent& event) {
  const int popup_count = static_cast<int>(popups_.size());
  auto popup_with_mnemonic = [&](char letter) {
    for (int i = 0; i < popup_count; ++i) {
      if (MnemonicOf(popups_[static_cast<std::size_t>(i)].data->title) == letter) return i;
    }
    return -1;
  };
  if (mode_ == Mode::kClosed) {
    if (event.key == Key::kFunction && event.function == 10 && !event.alt && !event.control) {
      return OnAltTap();
    }
    if (event.alt && !event.control && event.key == Key::kCharacter) {
      const int popup = popup_with_mnemonic(event.character);
      if (popup >= 0) {
        Open(popup, true);
        return MenuResult{true, std::nullopt};
      }
    }
    return MenuResult{};
  }
  switch (event.key) {
    case Key::kEscape:
      if (mode_ == Mode::kOpen) {
        mode_ = Mode::kBarFocus;
        item_ = -1;
      } else {
        Close();
      }
      return MenuResult{true, std::nullopt};
    case Key::kLeft:
    case Key::kRight:
      StepPopup(event.key == Key::kLeft ? -1 : 1);
      if (mode_ == Mode::kOpen) Open(popup_, true);
      return MenuResult{true, std::nullopt};
    case Key::kUp:
    case Key::kDown:
      if (mode_ == Mode::kBarFocus) {
        Open(popup_, true);
      } else {
        StepItem(event.key == Key::kUp ? -1 : 1);
      }
      return MenuResult{true, std::nullopt};
    case Key::kEnter:
    case Key::kSpace:
      if (mode_ == Mode::kBarFocus) {
        Open(popup_, true);
        return MenuResult{true, std::nullopt};
      }
      return Choose(item_);
    case Key::kFunction:
      if (event.function == 10) return OnAltTap();
      return MenuResult{true, std::nullopt};
    case Key::kCharacter: {
      if (mode_ == Mode::kBarFocus || event.alt) {
        const int popup = popup_with_mnemonic(event.character);
        if (popup >= 0) Open(popup, true);
        return MenuResult{true, std::nullopt};
      }
      const auto& items = popups_[static_cast<std::size_t>(popup_)].data->items;
      for (std::size_t i = 0; i < items.size(); ++i) {
        if (!items[i].separator && MnemonicOf(MenuItemName(items[i].text)) == event.character) {
          return Choose(static_cast<int>(i));
        }
      }
      return MenuResult{true, std::nullopt};
    }
    default:
      return MenuResult{true, std::nullopt};
  }
}

int MenuBar::PopupAt(int x, int y) const {
  if (y < 0 || y >= height_) return -1;
  for (std::size_t i = 0; i < titles_.size(); ++i) {
    if (x >= titles_[i].left && x < titles_[i].right) return static_cast<int>(i);
  }
  return -1;
}

std::optional<Rect> MenuBar::DropDownRect() const {
  if (mode_ != Mode::kOpen) return std::nullopt;
  const Popup& popup = popups_[static_cast<std::size_t>(popup_)];
  int height = 2 * kFrame;
  for (const MenuItemData& item : popup.data->items) {
    height += item.separator ? separator_height_ : item_height_;
  }
  const Rect& title = titles_[static_cast<std::size_t>(popup_)];
  int left = title.left;
  if (left + popup.width > window_width_) left = std::max(0, window_width_ - popup.width);
  return Rect{left, height_, left + popup.width, height_ + height};
}

Rect MenuBar::ItemRect(int index) const {
  const Popup& popup = popups_[static_cast<std::size_t>(popup_)];
  int top = kFrame;
  for (int i = 0; i < index; ++i) {
    top +=
        popup.data->items[static_cast<std::size_t>(i)].separator ? separator_height_ : item_height_;
  }
  const bool separator = popup.data->items[static_cast<std::size_t>(index)].separator;
  return Rect{kFrame, top, popup.width - kFrame,
              top + (separator ? separator_height_ : item_height_)};
}

int MenuBar::ItemAt(int x, int y) const {
  const auto drop_down = DropDownRect();
  if (!drop_down || x < drop_down->left || x >= drop_down->right || y < drop_down->top ||
      y >= drop_down->bottom) {
    return -1;
  }
  const int local_y = y - drop_down->top;
  for (int i = 0; i < ItemCount(); ++i) {
    const Rect rect = ItemRect(i);
    if (local_y >= rect.top && local_y < rect.bottom) return i;
  }
  return -1;
}

MenuResult MenuBar::OnMouseDown(int x, int y) {
  const int popup = PopupAt(x, y);
  if (popup >= 0) {
    if (mode_ == Mode::kOpen && popup == popup_) {
      Close();
    } else {
      Open(popup, false);
      tracking_ = true;
    }
    return MenuResult{true, std::nullopt};
  }
  if (mode_ == Mode::kClosed) return MenuResult{};
  const auto drop_down = DropDownRect();
  if (drop_down && x >= drop_down->left && x < drop_down->right && y >= drop_down->top &&
      y < drop_down->bottom) {
    tracking_ = true;
    return MenuResult{true, std::nullopt};
  }
  Close();  // a press anywhere else dismisses the menu and is used up
  return MenuResult{true, std::nullopt};
}

MenuResult MenuBar::OnMouseUp(int x, int y) {
  if (mode_ != Mode::kOpen || !tracking_) return MenuResult{mode_ != Mode::kClosed, std::nullopt};
  tracking_ = false;
  const int item = ItemAt(x, y);
  if (item >= 0) {
    if (!IsSelectable(popup_, item)) return MenuResult{true, std::nullopt};
    return Choose(item);
  }
  return MenuResult{true, std::nullopt};  // released on a title or outside: stays open
}

MenuResult MenuBar::OnMouseMove(int x, int y) {
  if (mode_ != Mode::kOpen) return MenuResult{};
  const int popup = PopupAt(x, y);
  if (popup >= 0 && popup != popup_) {
    Open(popup, false);
    return MenuResult{true, std::nullopt};
  }
  const int item = ItemAt(x, y);
  if (item < 0) return MenuResult{};  // outside the drop-down the highlight stays
  const int highlighted = IsSelectable(popup_, item) ? item : -1;
  if (highlighted != item_) {
    item_ = highlighted;
    return MenuResult{true, std::nullopt};
  }
  return MenuResult{};
}

void MenuBar::PaintBar(Surface& surface, int window_width) const {
  const Rgb face = surface.SystemColour(SystemColour::kFace);
  surface.FillRect(Rect{0, 0, window_width, height_}, face);
  const Font previous = surface.SelectFont(kMenuFont);
  surface.SetBackgroundMode(BackgroundMode::kTransparent);
  surface.SetTextColour(surface.SystemColour(SystemColour::kWindowText));
  for (std::size_t i = 0; i < popups_.size(); ++i) {
    const Rect& title = titles_[i];
    if (mode_ != Mode::kClosed && static_cast<int>(i) == popup_) {
      DrawThinEdge(surface, title, mode_ == Mode::kBarFocus);
    }
    const int shift = (mode_ == Mode::kOpen && static_cast<int>(i) == popup_) ? 1 : 0;
    surface.DrawText(
        popups_[i].data->title,
        Rect{title.left + shift, title.top + shift, title.right + shift, title.bottom + shift},
        OneLine(HorizontalAlign::kCentre));
  }
  surface.SelectFont(previous);
}

void MenuBar::PaintLayers(SoftSurface& bar, SoftSurface& drop_down) const {
  PaintBar(bar, bar.width());
  if (const auto rect = DropDownRect()) {
    drop_down.Resize(rect->width(), rect->height());
    PaintDropDown(drop_down);
  }
}

void MenuBar::PaintDropDown(Surface& surface) const {
  const auto drop_down = DropDownRect();
  if (!drop_down) return;
  const Popup& popup = popups_[static_cast<std::size_t>(popup_)];
  const Rect whole{0, 0, drop_down->width(), drop_down->height()};
  surface.FillRect(whole, surface.SystemColour(SystemColour::kFace));
  DrawRaisedEdge(surface, whole);
  const Font previous = surface.SelectFont(kMenuFont);
  surface.SetBackgroundMode(BackgroundMode::kTransparent);
  for (int i = 0; i < ItemCount(); ++i) {
    const MenuItemData& item = popup.data->items[static_cast<std::size_t>(i)];
    const Rect rect = ItemRect(i);
    if (item.separator) {
      const int y = rect.top + separator_height_ / 2 - 1;
      surface.FillRect(Rect{rect.left + 1, y, rect.right - 1, y + 1},
                       surface.SystemColour(SystemColour::kShadow));
      surface.FillRect(Rect{rect.left + 1, y + 1, rect.right - 1, y + 2},
                       surface.SystemColour(SystemColour::kHighlight));
      continue;
    }
    const bool highlighted = i == item_;
    Rgb text_colour = surface.SystemColour(SystemColour::kWindowText);
    if (highlighted) {
      surface.FillRect(rect, surface.SystemColour(SystemColour::kSelection));
      text_colour = surface.SystemColour(SystemColour::kSelectionText);
    }
    surface.SetTextColour(text_colour);
    if (popup.checked[static_cast<std::size_t>(i)]) {
      DrawCheckMark(surface, rect.left + 5, rect.top + (rect.height() - 9) / 2, text_colour);
    }
    surface.DrawText(MenuItemName(item.text),
                     Rect{rect.left + kCheckColumn, rect.top, rect.right, rect.bottom},
                     OneLine(HorizontalAlign::kLeft));
    const std::string_view label = MenuItemLabel(item.text);
    if (!label.empty()) {
      TextFormat format = OneLine(HorizontalAlign::kRight);
      format.mnemonics = false;
      surface.DrawText(label, Rect{rect.left, rect.top, popup.label_x, rect.bottom}, format);
    }
  }
  surface.SelectFont(previous);
}

}  // namespace rolvi::platform::widgets
