#include "platform/web/dom_keys.h"

#include <array>
#include <charconv>
#include <utility>

#include "platform/web/page.h"

namespace rolvi::platform::web {

using widgets::Key;
using widgets::KeyEvent;

namespace {

constexpr std::array<std::pair<std::string_view, Key>, 17> kNamedKeys{{
    {"Enter", Key::kEnter},
    {"NumpadEnter", Key::kEnter},
    {"Escape", Key::kEscape},
    {"Tab", Key::kTab},
    {"Space", Key::kSpace},
    {"ArrowLeft", Key::kLeft},
    {"ArrowRight", Key::kRight},
    {"ArrowUp", Key::kUp},
    {"ArrowDown", Key::kDown},
    {"Home", Key::kHome},
    {"End", Key::kEnd},
    {"PageUp", Key::kPageUp},
    {"PageDown", Key::kPageDown},
    {"Backspace", Key::kBackspace},
    {"Delete", Key::kDelete},
    {"AltLeft", Key::kAlt},
    {"AltRight", Key::kAlt},
}};

// F1 to F12 from "F1".."F12", else 0.
int FunctionNumber(std::string_view code) {
  if (code.size() < 2 || code.size() > 3 || code[0] != 'F') return 0;
  int number = 0;
  const auto [end, error] = std::from_chars(code.data() + 1, code.data() + code.size(), number);
  if (error != std::errc() || end != code.data() + code.size()) return 0;
  return number >= 1 && number <= 12 ? number : 0;
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The character a key stands for: the key's own value when it is one printable ASCII
// character (so that a keyboard layout's letters count), else the letter or digit of its
// position ("KeyX", "Digit7"), as when Alt or a layout changes what the key types.
char CharacterOf(std::string_view code, std::string_view key) {
  if (key.size() == 1 && key[0] > 0x20 && key[0] < 0x7F) return Lower(key[0]);
  if (code.size() == 4 && code.starts_with("Key") && code[3] >= 'A' && code[3] <= 'Z') {
    return Lower(code[3]);
  }
  if (code.size() == 6 && code.starts_with("Digit") && code[5] >= '0' && code[5] <= '9') {
    return code[5];
  }
  return 0;
}

}  // namespace

std::optional<KeyEvent> KeyFromDom(std::string_view code, std::string_view key, int modifiers) {
  KeyEvent event;
  event.alt = (modifiers & kModifierAlt) != 0;
  event.control = (modifiers & kModifierControl) != 0;
  event.shift = (modifiers & kModifierShift) != 0;
  for (const auto& [name, value] : kNamedKeys) {
    if (code == name) {
      event.key = value;
      return event;
    }
  }
  if (const int number = FunctionNumber(code)) {
    event.key = Key::kFunction;
    event.function = number;
    return event;
  }
  if (const char character = CharacterOf(code, key)) {
    event.key = Key::kCharacter;
    event.character = character;
    return event;
  }
  return std::nullopt;
}

}  // namespace rolvi::platform::web
