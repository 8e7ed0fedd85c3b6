// The main window's menu bar: its state (closed, focused from the keyboard, or with one
// drop-down open), keyboard and mouse navigation, check marks, and its drawing in the classic
// desktop look through a Surface. Coordinates are the main window's, bar at the top.
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/software/soft_surface.h"
#include "platform/surface.h"
#include "platform/widgets/input.h"
#include "platform/widgets/resource_tables.h"

namespace rolvi::platform::widgets {

struct MenuResult {
  bool consumed = false;       // the menu took the input (and may need redrawing)
  std::optional<int> command;  // a chosen item
};

// The name of a menu text (before the backspace or tab) and its accelerator label (after).
std::string_view MenuItemName(std::string_view text);
std::string_view MenuItemLabel(std::string_view text);
// The lower-case mnemonic letter after a single "&", or 0.
char MnemonicOf(std::string_view text);

class MenuBar {
 public:
  enum class Mode { kClosed, kBarFocus, kOpen };

  explicit MenuBar(std::span<const MenuData> menus);

  // Measures titles and items with the menu font; call before drawing or hit testing, and
  // again when the window's width changes.
  void Layout(const Surface& measure, int window_width);
  int height() const { return height_; }

  void SetCheck(int command, bool checked);
  bool IsChecked(int command) const;

  Mode mode() const { return mode_; }
  int active_popup() const { return popup_; }
  int active_item() const { return item_; }
  bool active() const { return mode_ != Mode::kClosed; }
  void Close();

  // A key press while the bar is active, or any press for Alt+letter and F10.
  MenuResult OnKey(const KeyEvent& event);
  // Alt pressed and released alone: enters the bar, or leaves it.
  MenuResult OnAltTap();
  MenuResult OnMouseDown(int x, int y);
  MenuResult OnMouseUp(int x, int y);
  MenuResult OnMouseMove(int x, int y);

  // The open drop-down's rectangle in window coordinates, when one is open.
  std::optional<Rect> DropDownRect() const;
  int popup_count() const { return static_cast<int>(popups_.size()); }
  const Rect& TitleRect(int popup) const { return titles_[static_cast<std::size_t>(popup)]; }
  // Item `index` of the open drop-down, in the drop-down's own coordinates.
  Rect ItemRect(int index) const;

  void PaintBar(Surface& surface, int window_width) const;
  // Paints the open drop-down with its top-left corner at (0, 0) of `surface`.
  void PaintDropDown(Surface& surface) const;
  // The bar across the whole of `bar` and, while a menu is open, its drop-down into
  // `drop_down`, sized to fit it: what a window that draws its own menu bar shows.
  void PaintLayers(SoftSurface& bar, SoftSurface& drop_down) const;

 private:
  struct Popup {
    const MenuData* data;
    std::vector<bool> checked;
    int width = 0;
    int label_x = 0;  // right edge of the labels' column, from the drop-down's left
  };
  int PopupAt(int x, int y) const;
  int ItemAt(int x, int y) const;
  void Open(int popup, bool select_first);
  void StepItem(int direction);
  void StepPopup(int direction);
  int ItemCount() const;
  bool IsSelectable(int popup, int item) const;
  MenuResult Choose(int item);

  std::vector<Popup> popups_;
  std::vector<Rect> titles_;
  int window_width_ = 0;
  int height_ = 20;
  int item_height_ = 18;
  int separator_height_ = 8;
  Mode mode_ = Mode::kClosed;
  int popup_ = 0;
  int item_ = -1;
  bool tracking_ = false;  // a button press opened the drop-down and is still held
};

}  // namespace rolvi::platform::widgets
