#include "platform/sdl/sdl_events.h"

#include <string>

#include "platform/gbk/gbk_text.h"
#include "platform/sdl/display_scale.h"

namespace rolvi::platform::sdl {

using widgets::DeskEvent;
using widgets::Key;
using widgets::KeyEvent;

std::optional<KeyEvent> KeyFromSdl(const SDL_KeyboardEvent& event) {
  KeyEvent key;
  const Uint16 modifiers = event.keysym.mod;
  key.alt = (modifiers & KMOD_ALT) != 0;
  key.control = (modifiers & KMOD_CTRL) != 0;
  key.shift = (modifiers & KMOD_SHIFT) != 0;
  const SDL_Keycode code = event.keysym.sym;
  switch (code) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      key.key = Key::kEnter;
      return key;
    case SDLK_ESCAPE:
      key.key = Key::kEscape;
      return key;
    case SDLK_TAB:
      key.key = Key::kTab;
      return key;
    case SDLK_SPACE:
      key.key = Key::kSpace;
      return key;
    case SDLK_LEFT:
      key.key = Key::kLeft;
      return key;
    case SDLK_RIGHT:
      key.key = Key::kRight;
      return key;
    case SDLK_UP:
      key.key = Key::kUp;
      return key;
    case SDLK_DOWN:
      key.key = Key::kDown;
      return key;
    case SDLK_HOME:
      key.key = Key::kHome;
      return key;
    case SDLK_END:
      key.key = Key::kEnd;
      return key;
    case SDLK_PAGEUP:
      key.key = Key::kPageUp;
      return key;
    case SDLK_PAGEDOWN:
      key.key = Key::kPageDown;
      return key;
    case SDLK_BACKSPACE:
      key.key = Key::kBackspace;
      return key;
    case SDLK_DELETE:
      key.key = Key::kDelete;
      return key;
    case SDLK_LALT:
    case SDLK_RALT:
      key.key = Key::kAlt;
      return key;
    default:
      break;
  }
  if (code >= SDLK_F1 && code <= SDLK_F12) {
    key.key = Key::kFunction;
    key.function = static_cast<int>(code - SDLK_F1) + 1;
    return key;
  }
  if (code > 0x20 && code < 0x7F) {
    key.key = Key::kCharacter;
    key.character = static_cast<char>(code);
    return key;
  }
  return std::nullopt;
}

bool DeskEventFromSdl(const SDL_Event& sdl, int main_window, int scale, DeskEvent& event) {
  using Kind = DeskEvent::Kind;
  switch (sdl.type) {
    case SDL_QUIT:  // the session or the system asks the program to end
      event.kind = Kind::kQuit;
      return true;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      event.kind = sdl.type == SDL_KEYDOWN ? Kind::kKeyDown : Kind::kKeyUp;
      event.window = static_cast<int>(sdl.key.windowID);
      event.key = KeyFromSdl(sdl.key);
      event.repeat = sdl.key.repeat != 0;
      return true;
    case SDL_TEXTINPUT: {
      // Alt and Control combinations are commands and mnemonics, not typing. Input with a
      // character that GBK cannot hold is dropped whole: the dialogs show GBK only.
      if ((SDL_GetModState() & (KMOD_ALT | KMOD_CTRL)) != 0) return false;
      std::optional<std::string> gbk = Utf8ToGbk(sdl.text.text);
      if (!gbk) return false;
      event.kind = Kind::kText;
      event.window = static_cast<int>(sdl.text.windowID);
      event.text = std::move(*gbk);
      return true;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (sdl.button.button != SDL_BUTTON_LEFT) return false;
      event.kind = sdl.type == SDL_MOUSEBUTTONDOWN ? Kind::kMouseDown : Kind::kMouseUp;
      event.window = static_cast<int>(sdl.button.windowID);
      // Window pixels to the program's: each enlarged pixel maps back to the one it shows.
      event.x = ToLogical(sdl.button.x, scale);
      event.y = ToLogical(sdl.button.y, scale);
      return true;
    case SDL_MOUSEMOTION:
      event.kind = Kind::kMouseMove;
      event.window = static_cast<int>(sdl.motion.windowID);
      event.x = ToLogical(sdl.motion.x, scale);
      event.y = ToLogical(sdl.motion.y, scale);
      return true;
    case SDL_WINDOWEVENT:
      break;
    default:
      return false;
  }
  event.window = static_cast<int>(sdl.window.windowID);
  const bool main = event.window == main_window;
  switch (sdl.window.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      event.kind = Kind::kResized;
      return main;
    case SDL_WINDOWEVENT_MINIMIZED:
      event.kind = Kind::kMinimised;
      return main;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_SHOWN:
      event.kind = Kind::kRestored;
      return main;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      event.kind = Kind::kFocusLost;
      return main;
    case SDL_WINDOWEVENT_EXPOSED:
      event.kind = Kind::kExposed;
      return true;
    case SDL_WINDOWEVENT_CLOSE:
      event.kind = Kind::kClose;
      return true;
    default:
      return false;
  }
}

}  // namespace rolvi::platform::sdl
