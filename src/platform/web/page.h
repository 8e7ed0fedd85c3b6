// The browser page as the web window system sees it: windows that are canvases on the page,
// the events the page queues for the program, sleeping while the page runs on, the clock,
// the title, the chime and the closed state. The Emscripten build serves it through the
// page's script (BrowserPage); the tests serve it with a fake. Also the record in which the
// page's script writes each event into the program's memory: web/page.js writes its fields at
// the offsets and with the numbers declared here (a test reads page.js and compares).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/surface.h"

namespace rolvi::platform::web {

// The storage key of the record table: the page tells the program when another tab changes it.
inline constexpr std::string_view kRecordsStorageKey = "rolvi.records";

// The modifier keys held during an event, as bits.
inline constexpr int kModifierAlt = 1;
inline constexpr int kModifierControl = 2;
inline constexpr int kModifierShift = 4;
inline constexpr int kModifierMeta = 8;

struct PageEvent {
  enum class Kind : std::int32_t {
    kNone = 0,
    kMouseDown = 1,  // the left button, at (x, y) in the window's canvas pixels
    kMouseUp = 2,
    kMouseMove = 3,
    kKeyDown = 4,  // `code` and `key` as the page names them, `text` what the key types (GBK)
    kKeyUp = 5,
    kFocusLost = 6,  // the page lost the keyboard focus
    // A touch screen's page: its new size in points (x, y); the choice on its menu (x, the
    // command); the player changed the text input over `window` (TextFieldText reads it).
    kViewport = 7,
    kCommand = 8,
    kFieldChanged = 9,
    // Another tab of the page stored a new record table (under kRecordsStorageKey).
    kStorageChanged = 10,
  };
  Kind kind = Kind::kNone;
  int window = 0;
  int x = 0;
  int y = 0;
  int modifiers = 0;
  bool repeat = false;
  std::string code;
  std::string key;
  std::string text;
};

// One event as the page's script writes it: the numbers, then the key's code and value (UTF-8,
// zero-terminated unless they fill their field) and what it types (GBK, `text_length` bytes).
struct RawPageEvent {
  std::int32_t kind;
  std::int32_t window;
  std::int32_t x;
  std::int32_t y;
  std::int32_t modifiers;
  std::int32_t repeat;
  std::int32_t text_length;
  std::array<char, 32> code;
  std::array<char, 32> key;
  std::array<char, 16> text;
};
// The layout page.js writes; a change here must be made there too.
static_assert(offsetof(RawPageEvent, kind) == 0);
static_assert(offsetof(RawPageEvent, window) == 4);
static_assert(offsetof(RawPageEvent, x) == 8);
static_assert(offsetof(RawPageEvent, y) == 12);
static_assert(offsetof(RawPageEvent, modifiers) == 16);
static_assert(offsetof(RawPageEvent, repeat) == 20);
static_assert(offsetof(RawPageEvent, text_length) == 24);
static_assert(offsetof(RawPageEvent, code) == 28);
static_assert(offsetof(RawPageEvent, key) == 60);
static_assert(offsetof(RawPageEvent, text) == 92);
static_assert(sizeof(RawPageEvent) == 108);

// The event a raw record holds; a length or kind out of range is cut to what the record holds
// or read as no event.
PageEvent DecodePageEvent(const RawPageEvent& raw);

// What a window is to the page, which on a touch screen places and enlarges each by its kind:
// the main window fills the page, dialogs and message boxes are centred over it, and the
// statistics window stands where it was put, inside the page.
enum class PageWindowKind { kMain = 0, kDialog = 1, kTool = 2 };

class Page {
 public:
  virtual ~Page() = default;

  // True where the page shows the program for a touch screen (a phone): the main window's
  // client area fills it, its menu is a button, and dialogs are centred and enlarged for
  // fingers. Asked once, at the start.
  virtual bool TouchScreen() = 0;
  // The page's size in points (CSS pixels).
  virtual Size ViewSize() = 0;

  // Milliseconds since the page started.
  virtual std::uint32_t Now() = 0;

  // The next queued event, or false when none is queued.
  virtual bool NextEvent(PageEvent& event) = 0;
  // Lets the page run until an event is queued or `timeout_ms` have passed (-1: no limit).
  virtual void WaitForEvent(int timeout_ms) = 0;
  // Lets the page run (and show what was presented) for `milliseconds`; events stay queued.
  virtual void Sleep(int milliseconds) = 0;

  // The part of the desk, in the program's pixels, that the page fits, enlarged by the largest
  // whole number that lets it fit, and centres.
  virtual void SetDesk(const Rect& area) = 0;
  // A new window, hidden, `size` canvas pixels, above every window made before; returns its
  // number (never 0).
  virtual int OpenWindow(Size size, PageWindowKind kind) = 0;
  virtual void CloseWindow(int window) = 0;
  virtual void ResizeWindow(int window, Size size) = 0;
  // Its canvas's top-left corner on the desk.
  virtual void PlaceWindow(int window, Point at) = 0;
  virtual void ShowWindow(int window) = 0;
  virtual void HideWindow(int window) = 0;
  // Puts the part `dirty` of the window's pixels (the whole canvas, `size`, rows top first,
  // bytes red, green, blue, alpha) on its canvas; the rest of the canvas stays as it is.
  virtual void Present(int window, std::span<const std::uint32_t> rgba, Size size,
                       const Rect& dirty) = 0;

  // A touch screen's menu: the button at `rect` of the window's canvas, and what it opens, as
  // JSON (see WebWindowSystem), with the check marks as they change.
  virtual void PlaceMenuButton(int window, const Rect& rect) = 0;
  virtual void SetMenu(std::string_view json) = 0;
  virtual void SetMenuCheck(int command, bool checked) = 0;

  // A text input of the page's own over `rect` of the window's canvas (its edit field), so
  // that the system's keyboards and input methods type into it: made, and given the keyboard,
  // the first time; its text made `gbk_text` where it differs. It goes with its window.
  virtual void ShowTextField(int window, const Rect& rect, std::string_view gbk_text) = 0;
  // What that input holds, as GBK; a character without a GBK form comes as a full-width
  // question mark, which the program's check refuses as it refuses every non-Latin letter.
  virtual std::string TextFieldText() = 0;

  // The page's title (GBK).
  virtual void SetTitle(std::string_view gbk_title) = 0;
  // A notice beside the game that needs no answer (GBK text, lines broken at '\n'); a newer
  // one replaces it.
  virtual void ShowNotice(std::string_view gbk_text) = 0;
  // The short chime; false where the page cannot play it (before the first click or key press
  // nothing may sound, or there is no audio).
  virtual bool Chime() = 0;
  // The program has ended: the page shows that it is closed instead of the windows.
  virtual void ShowClosed() = 0;
};

}  // namespace rolvi::platform::web
