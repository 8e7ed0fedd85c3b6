// What a back end that draws its own windows offers the desk: the clock, its input as desk
// events, waiting and sleeping, the beep, and native windows to make, place, show, focus and
// present layers in. Positions and sizes are the program's pixels; a window is a number the
// port chooses (never 0).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "platform/software/layer.h"
#include "platform/surface.h"
#include "platform/widgets/input.h"

namespace rolvi::platform::widgets {

struct DeskEvent {
  enum class Kind {
    kNone,
    kMouseDown,  // the left button, at (x, y) of the window's content
    kMouseUp,
    kMouseMove,
    kKeyDown,  // `key` when it is one the widgets know, and `text`: what the press types (GBK)
    kKeyUp,
    kText,       // typed text (GBK) that comes apart from its key
    kClose,      // the window's close box, or the window manager asks it to close
    kResized,    // the main window's content has a new size (the port's ContentSize)
    kMinimised,  // the main window was minimised
    kRestored,   // ... and is back
    kExposed,    // the window lost what it showed
    kFocusLost,  // the program lost the keyboard
    kQuit,       // the session or the system asks the program to end
    // Where the port shows the menu its own way (a touch screen's menu button): the command
    // the player chose there, in `x`.
    kCommand,
    // Where the port shows an edit field of its own over the top dialog's: the text (GBK) the
    // player has made of it there.
    kFieldText,
    // Another program changed the desk's files (another tab of the page saved).
    kFilesChanged,
  };
  Kind kind = Kind::kNone;
  int window = 0;  // 0: beside every window (the page around them)
  int x = 0;
  int y = 0;
  // A mouse event on a window's frame that the port draws itself, which the port has handled.
  bool on_frame = false;
  std::optional<KeyEvent> key{};
  bool repeat = false;
  std::string text{};
};

enum class WindowRole {
  kDialog,  // dialogs and message boxes, modal for their owner
  kTool,    // the statistics window, owned but not modal
};

struct WindowSpec {
  WindowRole role = WindowRole::kDialog;
  std::string_view gbk_caption;
  Size content;
  int owner = 0;
};

// Where a window goes: centred on the screen, centred over another window (frames included),
// or with its frame's top-left corner at a point of the screen.
struct Placement {
  enum class How { kCentreOnScreen, kCentreOver, kAt };
  How how = How::kCentreOnScreen;
  int over = 0;
  Point at;
};

class DeskPort {
 public:
  virtual ~DeskPort() = default;

  // Milliseconds on the port's clock.
  virtual std::uint32_t Now() = 0;
  // The next event, or false when none is queued.
  virtual bool NextEvent(DeskEvent& event) = 0;
  // Returns when an event may be queued or `timeout_ms` passed (-1: no limit).
  virtual void WaitForEvent(int timeout_ms) = 0;
  // Lets `milliseconds` pass with what was presented on show; events stay queued.
  virtual void Sleep(int milliseconds) = 0;
  // A stop was asked for from outside (a signal); kQuit events come besides.
  virtual bool StopSignalled() = 0;
  // The short warning sound; false where none can be heard.
  virtual bool Sound() = 0;
  // Tells of a problem that needs no answer (GBK, lines broken at '\n') the port's own way: a
  // line on the error stream, a notice beside the windows. True when that is all the player
  // needs; false when the desk shows it in a message box as well, while one can be shown.
  virtual bool TellProblem(std::string_view gbk_text) = 0;

  // A new window, hidden; 0 when it cannot be made. The main window is the adapter's own.
  virtual int OpenWindow(const WindowSpec& spec) = 0;
  virtual void CloseWindow(int window) = 0;
  virtual void ResizeWindow(int window, Size content) = 0;
  virtual void PlaceWindow(int window, const Placement& placement) = 0;
  // The outer rectangle (frame included), and the screen that windows are centred on.
  virtual Rect OuterRect(int window) const = 0;
  virtual Size ScreenArea() const = 0;
  // Showing a window that was hidden after it was shown puts it back where it was.
  virtual void ShowWindow(int window, bool shown) = 0;
  // Gives the window the keyboard (raised above the others when `raise`).
  virtual void FocusWindow(int window, bool raise) = 0;
  // While `window` (0: none) is modal, input the port handles itself (a frame it draws) goes
  // to no other window.
  virtual void SetModalWindow(int window) = 0;

  // Copies the layers, in order, into the window and shows them; `covered` is what they fill,
  // the rest is black. Every change of the layers is then forgotten.
  virtual void PresentAll(int window, Size covered, std::initializer_list<Layer> layers) = 0;
  // Shows only what was drawn on the layers since they were last presented, and forgets it;
  // false, with nothing done, where the window needs a whole present.
  virtual bool PresentChanges(int window, std::initializer_list<Layer> layers) = 0;

  // The main window's content (menu bar and client) after it was resized or restored, and the
  // least content the user may size it to.
  virtual Size ContentSize(int window) = 0;
  virtual void SetMinimumContentSize(int window, Size content) = 0;

  // A desk of the touch-screen style (DeskStyle::kTouchScreen) leaves the main window without
  // a menu bar: the port shows the menu its own way, as a button at `content_rect` of the
  // window's content, and sends the chosen command as a kCommand event. A check mark is
  // told as it changes.
  virtual void PlaceMenuButton(int /*window*/, const Rect& /*content_rect*/) {}
  virtual void MenuCheckChanged(int /*command*/, bool /*checked*/) {}
};

}  // namespace rolvi::platform::widgets
