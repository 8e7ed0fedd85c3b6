// The main window as the shell sees it: the typed handlers a window system calls
// (WindowHandlers), and the services it offers them (WindowSystem): the window's own drawing
// surface, the clock, the beep, menu check marks, the timer, message boxes and dialogs.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/dialog.h"
#include "platform/surface.h"

namespace rolvi::platform {

class FileSystem;

// The largest client width or height a window system gives the main window. The client area
// is a software surface of 4 bytes a pixel, so this bounds it at 256 MB; larger sizes are
// refused or limited by the window system before the handlers hear of them.
inline constexpr int kMaxClientSide = 8192;

// The side of what a finger taps (a button, the menu), in the program's pixels, on a touch
// screen that shows each of them as at least one point (CSS pixel): about 7 mm.
inline constexpr int kTouchTargetSide = 40;

// What a classic desktop's window frame takes around a client area: 4-pixel borders on the
// left, right and bottom, a 22-pixel top edge with the caption, and a 20-pixel menu bar below
// it. Back ends that draw no such frame themselves turn the program's outer sizes into client
// sizes with it.
inline constexpr int kClassicBorder = 4;
inline constexpr int kClassicCaption = 22;
inline constexpr int kClassicMenuBar = 20;

constexpr Size ClassicClientSize(Size outer, int menu_bar_height = kClassicMenuBar) {
  return {outer.width - 2 * kClassicBorder,
          outer.height - kClassicBorder - kClassicCaption - menu_bar_height};
}
constexpr Size ClassicOuterSize(Size client, int menu_bar_height = kClassicMenuBar) {
  return {client.width + 2 * kClassicBorder,
          client.height + kClassicBorder + kClassicCaption + menu_bar_height};
}

// What the program tells a window system about its main window: the caption (GBK), and the
// resource numbers of its icon and of its menu with the accelerator table of the same number.
struct MainWindowIdentity {
  std::string_view gbk_title;
  int icon_id = 0;
  int menu_id = 0;
};

// The keys a window system hands the main window's client area when no menu, accelerator,
// mnemonic or dialog takes them: the arrows, the jumps to the ends of a row (Home, End) or of
// a column (Page Up, Page Down), and Space and Enter, which act where the arrows point. They
// come without Alt or Control; Space and Enter come once a press (their repeats are dropped),
// the others also repeat while held.
enum class ClientKey { kLeft, kRight, kUp, kDown, kHome, kEnd, kPageUp, kPageDown, kSpace, kEnter };

constexpr bool RepeatsWhileHeld(ClientKey key) {
  return key != ClientKey::kSpace && key != ClientKey::kEnter;
}

// Implemented by the shell's main window; the window system calls these on its one thread.
class WindowHandlers {
 public:
  virtual ~WindowHandlers() = default;
  virtual void OnCreate() = 0;
  virtual void OnDestroy() = 0;
  virtual void OnSize(int client_width, int client_height) = 0;
  // `surface` is the paint target, clipped to the area that needs painting.
  virtual void OnPaint(Surface& surface) = 0;
  // The smallest outer size (frame, caption and menu bar included) the user may drag the
  // window to.
  virtual Size MinimumTrackSize() const = 0;
  virtual void OnCommand(int command) = 0;
  virtual void OnTimer() = 0;
  // True while a timer tick would show nothing (no ball is selected): a window system may
  // then sleep through the ticks instead of waking for each, and hand over those that came
  // due, in one OnSkippedTicks call, before it handles anything else.
  virtual bool TimerShowsNothing() const = 0;
  virtual void OnSkippedTicks(std::uint32_t count) = 0;
  virtual void OnMouseDown(int x, int y) = 0;
  virtual void OnMouseUp(int x, int y) = 0;
  // On a touch screen that the client area fills (see WindowSystem::TouchScreen): the client
  // size, in the program's pixels, for a screen of `screen_points` (the unit a finger is
  // measured in, CSS pixels on a page). By default one pixel a point.
  virtual Size TouchClientSize(Size screen_points) const { return screen_points; }
  // A key for the client area, queued and handled in order with the mouse's presses; a
  // window that takes no keys leaves it.
  virtual void OnKey(ClientKey /*key*/) {}
  // The process is about to end without OnDestroy (the display connection was lost, the user
  // logs off), or may end so (a page that is hidden can be closed or discarded unseen, or come
  // back): keep what must not be lost, the record table, and touch no window.
  virtual void OnSessionEnding() = 0;
  // Another program changed Files() meanwhile (another tab of the page saved its results):
  // the handlers may read them again. Queued and handled in order with the input, so never
  // in the middle of an animation.
  virtual void OnFilesChanged() {}
};

// What the window system offers the main window's handlers, besides the pauses, beep and
// message boxes of Feedback (message boxes owned by the main window; it keeps repainting and
// ticking meanwhile but takes no input).
class WindowSystem : public Feedback {
 public:
  // The window's own drawing surface, for drawing at once outside a paint: what is drawn on
  // it is shown at the next pause or when the loop is idle. Null while the window is
  // minimised (drawing is then dropped, the game logic still runs).
  virtual Surface* StartDrawing() = 0;
  virtual Size ClientSize() const = 0;
  // The main window's outer rectangle and the screen size read at start-up, in screen pixels.
  virtual Rect WindowRect() const = 0;
  virtual Size ScreenSize() const = 0;

  // Milliseconds since the system started; seeds the game.
  virtual std::uint32_t TickCount() = 0;

  virtual void SetMenuCheck(int command, bool checked) = 0;
  virtual void StartTimer(int period_ms) = 0;
  virtual void StopTimer() = 0;
  // Destroys the main window: OnDestroy runs and the event loop ends.
  virtual void DestroyMainWindow() = 0;

  // Modal, from the dialog template numbered `dialog` in the program's resources, owned by the
  // main window; returns when the dialog ends. The main window keeps repainting and ticking
  // meanwhile but takes no input.
  virtual void RunModalDialog(int dialog, DialogHandler& handler) = 0;

  // The one modeless window (statistics), from a template as above. Open returns false when it
  // cannot be made.
  virtual bool OpenModelessDialog(int dialog, DialogHandler& handler) = 0;
  virtual void CloseModelessDialog() = 0;
  // Asks the modeless window to repaint its whole client area, without erasing, later.
  virtual void InvalidateModelessDialog() = 0;

  // True where the client area fills a touch screen (the page on a phone): the handlers lay
  // it out for fingers, and the window system shows its menu as a button of
  // kTouchTargetSide that they place, instead of a menu bar. Fixed for the window's life.
  virtual bool TouchScreen() const { return false; }
  // Where that button goes, in client pixels; nothing happens where the menu is a bar.
  virtual void PlaceMenuButton(const Rect& /*client_rect*/) {}

  // Where the record file lives (the current directory).
  virtual FileSystem& Files() = 0;

  // Tells the player of a problem outside the game that needs no answer (a record file that
  // could not be read or saved): a desktop shows a message box owned by the main window, with
  // the exclamation icon, and returns when it is dismissed; a page shows a notice beside the
  // game and returns at once. Once no window can be shown any more (the session is ending) a
  // back end writes it to its error stream, or drops it. GBK texts.
  virtual void ReportProblem(std::string_view gbk_text, std::string_view gbk_caption) = 0;
};

}  // namespace rolvi::platform
