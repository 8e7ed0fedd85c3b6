// Keyboard input as the menu bar, the accelerators and the dialogs see it, independent of
// the window system that produced it.
#pragma once

namespace rolvi::platform::widgets {

enum class Key {
  kNone,
  kCharacter,  // a letter, digit or punctuation key; see KeyEvent::character
  kFunction,   // F1..F12; see KeyEvent::function
  kEnter,
  kEscape,
  kTab,
  kSpace,
  kLeft,
  kRight,
  kUp,
  kDown,
  kHome,
  kEnd,
  kPageUp,
  kPageDown,
  kBackspace,
  kDelete,
  kAlt,  // the Alt key itself
};

struct KeyEvent {
  Key key = Key::kNone;
  char character = 0;  // lower-case for letters
  int function = 0;    // 1..12
  bool alt = false;
  bool control = false;
  bool shift = false;
};

// Windows virtual-key code of a key, as accelerator tables store it; 0 when it has none.
constexpr int VirtualKeyOf(const KeyEvent& event) {
  switch (event.key) {
    case Key::kFunction:
      return 0x6F + event.function;
    case Key::kEnter:
      return 0x0D;
    case Key::kEscape:
      return 0x1B;
    case Key::kTab:
      return 0x09;
    case Key::kSpace:
      return 0x20;
    case Key::kBackspace:
      return 0x08;
    case Key::kCharacter:
      if (event.character >= 'a' && event.character <= 'z') return event.character - 'a' + 'A';
      if (event.character >= '0' && event.character <= '9') return event.character;
      return 0;
    default:
      return 0;
  }
}

}  // namespace rolvi::platform::widgets
