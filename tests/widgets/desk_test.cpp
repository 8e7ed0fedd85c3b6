// The desk on a fake port, with tables of its own (a File menu, one accelerator, a dialog with
// an edit field): the first frame, presents of what changed, key and mouse routing, the modal
// stack, problems told, the statistics window, the idle loop's timer, and stop requests.
#include "platform/widgets/desk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>

#include "platform/memory_file_system.h"
#include "widgets/fake_desk_port.h"

namespace rolvi::platform::widgets {
namespace {

using testing::FakeDeskPort;
using testing::OutOfScript;
using Kind = DeskEvent::Kind;

constexpr int kNew = 10;
constexpr int kExit = 11;
constexpr int kDialog = 100;
constexpr int kEdit = 20;
constexpr int kOk = 21;
constexpr int kMain = FakeDeskPort::kMain;

constexpr MenuItemData kFileItems[] = {{kNew, "&New\bF4"}, {0, "", true}, {kExit, "E&xit"}};
constexpr MenuData kMenu[] = {{"&File", false, kFileItems}};
constexpr AcceleratorData kAccelerators[] = {{0x73, true, false, false, false, kNew}};
constexpr ControlData kControls[] = {
    {ControlClass::kEdit, kEdit, "", 8, 8, 60, 12, style::kTabStop | style::kBorder},
    {ControlClass::kButton, kOk, "&OK", 8, 24, 40, 14, style::kTabStop | style::kDefPushButton}};
constexpr DialogData kDialogs[] = {{kDialog, 0, 0, 90, 44, 0, 0, "Ask", 9, "", kControls}};
constexpr ResourceTables kTables{.menu_id = 1,
                                 .menu = kMenu,
                                 .accelerator_id = 1,
                                 .accelerators = kAccelerators,
                                 .dialogs = kDialogs};

class TestDesk final : public Desk {
 public:
  TestDesk(DeskPort& port, FileSystem& files, DeskStyle style = DeskStyle::kDesktop)
      : Desk(port, kTables, MainWindowIdentity{"Test", 1, 1}, Size{208, 168}, files, &Ticks,
             style) {
    AttachMainWindow(kMain, Size{200, bar_height() + 120});
  }
  static std::uint32_t Ticks() { return 7; }
};

// Main-window handlers that log what reaches them and do what a test asks on a command.
class Handlers final : public WindowHandlers {
 public:
  explicit Handlers(Desk& desk) : desk_(desk) {}
  void OnCreate() override {
    log.push_back("create");
    desk_.StartTimer(50);
    desk_.Pause(100);
  }
  void OnDestroy() override { log.push_back("destroy"); }
  void OnSize(int width, int height) override {
    log.push_back("size " + std::to_string(width) + "x" + std::to_string(height));
  }
  void OnPaint(Surface& surface) override {
    log.push_back("paint");
    surface.FillRect({0, 0, 200, 120}, Rgb{0, 0, 90});
  }
  Size MinimumTrackSize() const override { return {108, 100}; }
  void OnCommand(int command) override {
    log.push_back("command " + std::to_string(command));
    if (const auto found = on_command.find(command); found != on_command.end()) found->second();
  }
  void OnTimer() override {
    ++ticks;
    if (!jumping) return;
    if (Surface* surface = desk_.StartDrawing()) surface->FillRect({30, 40, 66, 76}, kWhite);
  }
  bool TimerShowsNothing() const override { return !jumping; }
  void OnSkippedTicks(std::uint32_t count) override { skipped += count; }
  void OnMouseDown(int x, int y) override { log.push_back(Point("down", x, y)); }
  void OnMouseUp(int x, int y) override { log.push_back(Point("up", x, y)); }
  void OnKey(ClientKey key) override {
    static constexpr const char* kNames[] = {"left", "right",  "up",       "down",  "home",
                                             "end",  "pageup", "pagedown", "space", "enter"};
    log.push_back(std::string("key ") + kNames[static_cast<int>(key)]);
  }
  void OnSessionEnding() override { log.push_back("session ending"); }
  void OnFilesChanged() override { log.push_back("files changed"); }

  static std::string Point(const char* what, int x, int y) {
    return std::string(what) + " " + std::to_string(x) + "," + std::to_string(y);
  }

  std::vector<std::string> log;
  std::map<int, std::function<void()>> on_command;
  bool jumping = false;
  int ticks = 0;
  std::uint32_t skipped = 0;

 private:
  Desk& desk_;
};

// A dialog that ends with its OK button, and with its close box when `closes` says so.
class AskHandler final : public DialogHandler {
 public:
  void OnInit(DialogControls& dialog) override { dialog.SetItemText(kEdit, "Al"); }
  void OnPaint(DialogControls&, Surface&) override { ++paints; }
  bool OnCommand(DialogControls& dialog, int command) override {
    if (command != kOk) return false;
    answer = dialog.ItemText(kEdit);
    dialog.EndDialog(0);
    return true;
  }
  bool OnClose(DialogControls& dialog) override {
    ++closes;
    if (closes_it) dialog.EndDialog(0);
    return true;
  }
  bool closes_it = true;
  int closes = 0;
  int paints = 0;
  std::string answer;
};

class DeskTest : public ::testing::Test {
 protected:
  explicit DeskTest(DeskStyle style = DeskStyle::kDesktop)
      : desk(port, files, style), handlers(desk) {
    port.window(kMain).content = Size{200, Bar() + 120};
  }

  // Runs until the main window ends (true) or the script is used up.
  bool Run() {
    try {
      desk.Run(handlers);
      return true;
    } catch (const OutOfScript&) {
      return false;
    }
  }
  int Bar() const { return desk.bar_height(); }
  std::vector<std::string> LogSince(std::size_t start) const {
    const auto& log = const_cast<FakeDeskPort&>(port).log();
    return {log.begin() + static_cast<std::ptrdiff_t>(start), log.end()};
  }
  bool Logged(const std::string& entry) {
    return std::find(port.log().begin(), port.log().end(), entry) != port.log().end();
  }

  FakeDeskPort port;
  MemoryFileSystem files;
  TestDesk desk;
  Handlers handlers;
  AskHandler ask;
};

TEST_F(DeskTest, TheMainWindowShowsOnceCreatedAndThenPresentsOnlyWhatChanged) {
  port.Do([&] {
    EXPECT_EQ(handlers.log, (std::vector<std::string>{"create", "size 200x120", "paint"}));
    // Nothing reached the hidden window; the first frame after the show is whole.
    // The least outer size, 108 by 100, with a classic frame: a content of 100 by 74.
    EXPECT_EQ(port.log()[0], "minimum 1 100x74");
    EXPECT_EQ(port.log()[1], "sleep 100");
    EXPECT_EQ(port.log()[2], "show 1");
    EXPECT_EQ(port.window(kMain).whole_presents, 1);
    EXPECT_EQ(port.window(kMain).covered, (Size{200, Bar() + 120}));
    EXPECT_TRUE(port.ShowsItsLayers(kMain));
    handlers.jumping = true;
  });
  port.Push({.kind = Kind::kMouseMove, .window = kMain});  // wakes the loop
  port.Wait(50);
  port.Do([&] {
    // A tick drew one cell: only it, below the menu bar, is presented.
    EXPECT_EQ(port.window(kMain).whole_presents, 1);
    EXPECT_EQ(port.window(kMain).changes_presented,
              (std::vector<Rect>{{30, Bar() + 40, 66, Bar() + 76}}));
    EXPECT_TRUE(port.ShowsItsLayers(kMain));
  });
  // The open drop-down lies over both layers: whole presents while it is open and once after.
  port.Character('f', true);
  port.Do([&] {
    EXPECT_EQ(desk.menu().mode(), MenuBar::Mode::kOpen);
    EXPECT_EQ(port.window(kMain).whole_presents, 2);
    EXPECT_EQ(port.window(kMain).layers.size(), 3u);
  });
  port.Event(Kind::kFocusLost);
  port.Do([&] {
    EXPECT_EQ(desk.menu().mode(), MenuBar::Mode::kClosed);
    EXPECT_EQ(port.window(kMain).whole_presents, 3);
    EXPECT_TRUE(port.ShowsItsLayers(kMain));
  });
  port.Wait(50);
  port.Event(Kind::kExposed);
  port.Do([&] { EXPECT_EQ(port.window(kMain).whole_presents, 4); });
  port.Event(Kind::kClose);
  EXPECT_TRUE(Run());
  EXPECT_EQ(handlers.log.back(), "destroy");
  EXPECT_FALSE(port.window(kMain).shown);
  EXPECT_FALSE(desk.timer_running());
}

TEST_F(DeskTest, KeysAndClicksReachTheMenuTheAcceleratorsOrTheClient) {
  port.Key(Key::kFunction, false, 4);  // the accelerator
  port.Key(Key::kAlt, true);           // an Alt tap enters the bar
  port.Do([&] { EXPECT_EQ(desk.menu().mode(), MenuBar::Mode::kBarFocus); });
  port.Key(Key::kEscape);
  // A press on the bar opens the menu and its release is the menu's; the client's clicks
  // come without the bar's height.
  port.Click(kMain, 5, 3);
  port.Do([&] { EXPECT_EQ(desk.menu().mode(), MenuBar::Mode::kOpen); });
  port.Key(Key::kEscape);
  port.Key(Key::kEscape);
  port.Click(kMain, 50, Bar() + 60);
  port.Click(0, 1, 1);                // beside every window
  port.Key(Key::kFunction, true, 4);  // Alt+F4 closes the main window
  EXPECT_TRUE(Run());
  EXPECT_EQ(handlers.log, (std::vector<std::string>{"create", "size 200x120", "paint", "command 10",
                                                    "down 50,60", "up 50,60", "destroy"}));
}

TEST_F(DeskTest, TheClientGetsTheKeysThatNoMenuAcceleratorOrMnemonicTakes) {
  for (const Key key : {Key::kLeft, Key::kRight, Key::kUp, Key::kDown, Key::kHome, Key::kEnd,
                        Key::kPageUp, Key::kPageDown, Key::kSpace, Key::kEnter}) {
    port.Key(key);
  }
  // Held, the moves repeat and Space and Enter do not; with Alt or Control they are no
  // client's keys; other keys are none either.
  for (const Key key : {Key::kDown, Key::kEnter, Key::kSpace}) {
    port.Push(
        {.kind = Kind::kKeyDown, .window = kMain, .key = KeyEvent{.key = key}, .repeat = true});
  }
  port.Push({.kind = Kind::kKeyDown,
             .window = kMain,
             .key = KeyEvent{.key = Key::kHome, .control = true}});
  port.Key(Key::kLeft, true);
  port.Key(Key::kTab);
  port.Key(Key::kEscape);
  // An Alt tap gives the bar the arrows and Enter, which open a menu and choose from it.
  port.Key(Key::kAlt, true);
  port.Key(Key::kDown);
  port.Key(Key::kEnter);
  port.Key(Key::kFunction, false, 4);  // the accelerator, then Alt+F4
  port.Key(Key::kFunction, true, 4);
  EXPECT_TRUE(Run());
  EXPECT_EQ(handlers.log,
            (std::vector<std::string>{"create", "size 200x120", "paint", "key left", "key right",
                                      "key up", "key down", "key home", "key end", "key pageup",
                                      "key pagedown", "key space", "key enter", "key down",
                                      "command 10", "command 10", "destroy"}));
}

TEST_F(DeskTest, AModalDialogTakesTheInputWhileTheMainWindowStillTicks) {
  handlers.on_command[kNew] = [&] { desk.RunModalDialog(kDialog, ask); };
  port.Key(Key::kFunction, false, 4);
  const int dialog = 2;
  port.Do([&] {
    EXPECT_EQ(port.window(dialog).caption, "Ask");
    EXPECT_EQ(port.window(dialog).spec.owner, kMain);
    EXPECT_TRUE(Logged("focus 2 raised"));
    EXPECT_TRUE(Logged("modal 2"));
    handlers.jumping = true;
  });
  port.Push({.kind = Kind::kMouseMove, .window = kMain});  // wakes the loop
  port.Wait(120);
  // The main window ignores mouse, keys and its close box; the dialog's field takes the keys.
  port.Click(kMain, 50, Bar() + 60);
  port.Event(Kind::kClose, kMain);
  port.Key(Key::kEnd);
  port.Character('x');
  port.Do([&] {
    EXPECT_GE(handlers.ticks, 2);
    EXPECT_EQ(desk.Dialogs()[0]->model().Edit()->text(), "Alx");
    EXPECT_FALSE(port.window(kMain).changes_presented.empty());
  });
  port.Key(Key::kEnter);
  port.Do([&] {
    EXPECT_EQ(ask.answer, "Alx");
    // The keyboard goes back to the owner, and then the dialog's window goes.
    EXPECT_EQ(std::vector<std::string>(port.log().end() - 3, port.log().end()),
              (std::vector<std::string>{"modal 0", "focus 1 raised", "close 2"}));
  });
  port.Key(Key::kFunction, true, 4);
  EXPECT_TRUE(Run());
  EXPECT_EQ(std::count(handlers.log.begin(), handlers.log.end(), "down 50,60"), 0);
  EXPECT_TRUE(std::none_of(handlers.log.begin(), handlers.log.end(),
                           [](const std::string& entry) { return entry.starts_with("key"); }));
}

TEST_F(DeskTest, MessageBoxesStandOverTheirOwnerAndEndWithEscape) {
  handlers.on_command[kNew] = [&] {
    desk.ShowMessageBox("Full", "Note", MessageIcon::kNone);
    handlers.log.push_back("box ended");
  };
  port.Key(Key::kFunction, false, 4);
  port.Do([&] {
    const Rect box = port.window(2).outer;
    const Rect main = port.window(kMain).outer;
    EXPECT_LE(std::abs(box.left + box.right - main.left - main.right), 1);
    EXPECT_LE(std::abs(box.top + box.bottom - main.top - main.bottom), 1);
  });
  port.Key(Key::kEscape);
  port.Key(Key::kFunction, true, 4);
  EXPECT_TRUE(Run());
  EXPECT_EQ(handlers.log[4], "box ended");
}

// A problem goes the port's way first; a message box follows where the port wants one, and
// not once the session is ending.
TEST_F(DeskTest, AProblemIsToldThePortsWayAndInAMessageBoxWhileOneCanBeRead) {
  handlers.on_command[kNew] = [&] {
    desk.ReportProblem("Not saved\nFull", "Note");
    handlers.log.push_back("told");
  };
  port.Key(Key::kFunction, false, 4);
  port.Do([&] {
    EXPECT_EQ(port.window(2).caption, "Note");
    EXPECT_TRUE(port.window(2).shown);
    EXPECT_EQ(handlers.log.back(), "command 10");  // the box waits for the player
  });
  port.Key(Key::kEnter);
  port.Do([&] {
    EXPECT_EQ(handlers.log.back(), "told");
    port.problems_told_aside = true;  // a notice on a page needs no box
    desk.ReportProblem("Aside", "Note");
    port.problems_told_aside = false;
    desk.EndSession();
    desk.ReportProblem("Ending", "Note");
    EXPECT_FALSE(port.has_window(3));
  });
  port.Key(Key::kFunction, true, 4);
  EXPECT_TRUE(Run());
  EXPECT_EQ(port.problems(), (std::vector<std::string>{"Not saved\nFull", "Aside", "Ending"}));
}

TEST_F(DeskTest, TheStatisticsWindowKeepsTheKeyboardAwayAndFollowsTheMainWindow) {
  handlers.on_command[kNew] = [&] { EXPECT_TRUE(desk.OpenModelessDialog(kDialog, ask)); };
  port.Key(Key::kFunction, false, 4);
  const int stats = 2;
  std::size_t mark = 0;
  port.Do([&] {
    EXPECT_EQ(port.window(stats).spec.role, WindowRole::kTool);
    EXPECT_EQ(port.log().back(), "focus 1");  // not raised, and no other window gets it
    mark = port.log().size();
    ask.paints = 0;
    desk.InvalidateModelessDialog();
    desk.InvalidateModelessDialog();
  });
  port.Click(stats, 200, 200);  // on nothing of it
  port.Do([&] {
    EXPECT_EQ(ask.paints, 1);  // once, when the loop was idle
    EXPECT_EQ(LogSince(mark), (std::vector<std::string>{"focus 1"}));
  });
  port.Event(Kind::kMinimised);
  port.Do([&] { EXPECT_FALSE(port.window(stats).shown); });
  port.Event(Kind::kRestored);
  port.Do([&] {
    EXPECT_TRUE(port.window(stats).shown);
    EXPECT_EQ(ask.paints, 2);
    EXPECT_EQ(port.log().back(), "focus 1");
  });
  port.Event(Kind::kClose, stats);  // its close box: hidden at once, made away with when idle
  port.Do([&] {
    EXPECT_TRUE(desk.Dialogs().empty());
    EXPECT_FALSE(port.has_window(stats));
  });
  port.Key(Key::kFunction, true, 4);
  EXPECT_TRUE(Run());
  const std::vector<std::string> sizes = {"size 200x120", "size 0x0", "size 200x120"};
  std::vector<std::string> seen;
  std::copy_if(handlers.log.begin(), handlers.log.end(), std::back_inserter(seen),
               [](const std::string& entry) { return entry.starts_with("size"); });
  EXPECT_EQ(seen, sizes);
}

TEST_F(DeskTest, TicksThatShowNothingAreSleptThroughAndCountedWhenTheLoopWakes) {
  port.Wait(175);
  port.Click(kMain, 50, Bar() + 60);
  port.Do([&] {
    EXPECT_EQ(handlers.skipped, 3u);
    EXPECT_EQ(port.waits().back(), -1);
    handlers.jumping = true;
  });
  port.Wait(60);
  port.Do([&] { EXPECT_GE(port.waits().back(), 0); });  // a tick to show: the loop wakes for it
  port.Key(Key::kFunction, true, 4);
  EXPECT_TRUE(Run());
}

TEST_F(DeskTest, AnAnimationKeepsTimeThoughEachPauseWakesLate) {
  std::uint32_t started = 0;
  std::uint32_t took = 0;
  handlers.on_command[kNew] = [&] {
    started = port.Now();
    for (int frame = 0; frame < 10; ++frame)
      desk.Pause(50);
    took = port.Now() - started;
  };
  port.Wait(1000);
  port.Key(Key::kFunction, false, 4);
  port.Do([&] {
    EXPECT_EQ(took, 503u);  // ten pauses of 50 ms, late by 3 ms only once
    port.late_wakeup = 0;
  });
  port.Wait(1000);  // a pause after a gap starts from its own moment
  port.Do([&] {
    const std::size_t before = port.log().size();
    desk.Pause(50);
    desk.Pause(10);
    EXPECT_EQ(LogSince(before), (std::vector<std::string>{"sleep 50", "sleep 10"}));
  });
  port.late_wakeup = 3;
  EXPECT_FALSE(Run());
}

TEST_F(DeskTest, AStopEndsEveryModalLoopAsItsCloseBoxWouldAndThenTheProgram) {
  ask.closes_it = false;
  handlers.on_command[kNew] = [&] {
    desk.RunModalDialog(kDialog, ask);
    desk.ShowMessageBox("Unread", "Note", MessageIcon::kNone);  // nobody would read it
    desk.Pause(500);                                            // nor see it
    handlers.log.push_back("after");
  };
  port.Key(Key::kFunction, false, 4);
  port.Do([&] { port.stop_signalled = true; });
  port.Event(Kind::kQuit);  // a second request changes nothing
  const std::size_t opened = 1;
  EXPECT_TRUE(Run());
  EXPECT_EQ(ask.closes, 1);
  EXPECT_EQ(std::count_if(port.log().begin(), port.log().end(),
                          [](const std::string& entry) { return entry.starts_with("open"); }),
            opened);
  EXPECT_FALSE(Logged("sleep 500"));
  EXPECT_EQ(std::vector<std::string>(handlers.log.end() - 2, handlers.log.end()),
            (std::vector<std::string>{"after", "destroy"}));
}

TEST_F(DeskTest, TheSessionsEndReachesTheHandlersOnlyWhileTheWindowLives) {
  desk.EndSession();  // before Run: nobody to tell
  port.Do([&] { desk.EndSession(); });
  port.Key(Key::kFunction, true, 4);
  EXPECT_TRUE(Run());
  desk.EndSession();
  EXPECT_EQ(std::count(handlers.log.begin(), handlers.log.end(), "session ending"), 1);
}

// Another program's save reaches the handlers in order with the input, also while a modal
// dialog is up (they decide what waits).
TEST_F(DeskTest, AChangeOfTheFilesReachesTheHandlersAlsoUnderAModalDialog) {
  handlers.on_command[kNew] = [&] { desk.RunModalDialog(kDialog, ask); };
  port.Event(Kind::kFilesChanged);
  port.Key(Key::kFunction, false, 4);
  port.Event(Kind::kFilesChanged);
  port.Do([&] {
    EXPECT_EQ(std::count(handlers.log.begin(), handlers.log.end(), "files changed"), 2);
    EXPECT_EQ(handlers.log.back(), "files changed");
  });
  port.Key(Key::kEnter);
  port.Key(Key::kFunction, true, 4);
  EXPECT_TRUE(Run());
}

// On a touch screen the main window has no menu bar: the port shows the menu as a button and
// sends its choice as a command; dialogs' buttons are a finger high, and the port's own text
// field hands over its whole text.
class TouchDeskTest : public DeskTest {
 protected:
  TouchDeskTest() : DeskTest(DeskStyle::kTouchScreen) {}
};

TEST_F(TouchDeskTest, TheMenuIsThePortsAndTheWholeContentIsTheClient) {
  EXPECT_TRUE(desk.TouchScreen());
  EXPECT_EQ(desk.bar_height(), 0);
  handlers.on_command[kExit] = [&] { desk.DestroyMainWindow(); };
  port.Do([&] {
    desk.PlaceMenuButton({4, 5, 44, 45});
    desk.SetMenuCheck(kNew, true);
    EXPECT_TRUE(Logged("menu button 1 4,5-44,45"));
    EXPECT_TRUE(Logged("check 10 on"));
  });
  port.Click(kMain, 5, 3);    // where a menu bar would be: the client's
  port.Key(Key::kAlt, true);  // an Alt tap enters no bar
  port.Character('f', true);  // nor does Alt+F open a menu
  port.Do([&] { EXPECT_EQ(desk.menu().mode(), MenuBar::Mode::kClosed); });
  port.Key(Key::kFunction, false, 4);  // the accelerators stay
  port.Push({.kind = Kind::kCommand, .x = kNew});
  port.Push({.kind = Kind::kCommand, .x = kExit});
  EXPECT_TRUE(Run());
  EXPECT_EQ(handlers.log,
            (std::vector<std::string>{"create", "size 200x120", "paint", "down 5,3", "up 5,3",
                                      "command 10", "command 10", "command 11", "destroy"}));
}

TEST_F(TouchDeskTest, DialogsHaveFingerHighButtonsAndTakeTheTextOfThePortsField) {
  handlers.on_command[kNew] = [&] { desk.RunModalDialog(kDialog, ask); };
  port.Push({.kind = Kind::kCommand, .x = kNew});
  const int dialog = 2;
  port.Do([&] {
    const DialogModel& model = desk.Dialogs()[0]->model();
    EXPECT_EQ(model.controls()[1].rect.height(), kTouchTargetSide);
    EXPECT_EQ(port.window(dialog).content, model.client_size());
  });
  // While the dialog is up the port's menu does nothing; text for another window neither.
  port.Push({.kind = Kind::kCommand, .x = kExit});
  port.Push({.kind = Kind::kFieldText, .window = kMain, .text = "Lost"});
  port.Push({.kind = Kind::kFieldText, .window = dialog, .text = "Grace"});
  port.Do([&] { EXPECT_EQ(desk.Dialogs()[0]->model().Edit()->text(), "Grace"); });
  port.Key(Key::kEnter);
  port.Key(Key::kFunction, true, 4);
  EXPECT_TRUE(Run());
  EXPECT_EQ(ask.answer, "Grace");
  EXPECT_EQ(std::count(handlers.log.begin(), handlers.log.end(), "command 11"), 0);
}

}  // namespace
}  // namespace rolvi::platform::widgets
