#include "platform/web/web_window_system.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "dialogs/name_check.h"
#include "gfx/board_renderer.h"
#include "platform/headless/headless_window_system.h"
#include "platform/memory_file_system.h"
#include "platform/web/storage_file_system.h"
#include "platform/widgets/menu_bar.h"
#include "platform/widgets/resource_tables.h"
#include "records/record_file.h"
#include "res/tables.h"
#include "shell/main_window.h"
#include "support/program_assets.h"
#include "web/fake_page.h"

namespace rolvi::platform::web {
namespace {

using testing::FakePage;
using testing::FakeStore;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::ScriptEnded;

constexpr std::uint32_t kSeed = 3;
constexpr std::string_view kKey = "rolvi.records";
constexpr int kMain = 1;  // the first canvas the page opens
constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kGrey{128, 128, 128};

std::uint32_t Seed() {
  return kSeed;
}

std::string Hex(std::string_view gbk) {
  constexpr std::string_view kDigits = "0123456789abcdef";
  std::string hex;
  for (const char c : gbk) {
    hex += kDigits[static_cast<unsigned char>(c) >> 4];
    hex += kDigits[static_cast<unsigned char>(c) & 15];
  }
  return hex;
}

// GBK captions of the dialogs.
constexpr std::string_view kRulesCaption = "\xB9\xE6\xD4\xF2";                 // 规则
constexpr std::string_view kNameCaption = "\xB9\xA7\xCF\xB2\xB9\xA7\xCF\xB2";  // 恭喜恭喜
constexpr std::string_view kRecordsCaption = "\xC5\xC5\xD0\xD0\xB0\xF1";       // 排行榜

class WebWindowSystemTest : public ::testing::Test {
 protected:
  WebWindowSystemTest()
      : files(store, std::string(kKey), "winrolvi.res"),
        system(page, shell::kMainWindowSize, res::TablesFor("zh-CN"),
               shell::MainWindowIdentity(rolvi::testing::ProgramTexts().title), files, &Seed),
        window(system, rolvi::testing::ProgramAssets(), shell::RecordSaving::kWhenAResultEnters),
        headless(Size{612, 374}, kSeed, headless_files),
        headless_window(headless, rolvi::testing::ProgramAssets()) {
    headless.Attach(headless_window);
    headless.Create();  // as the replay driver starts: created, sized, painted
    headless.Resize(612, 374);
  }

  // Runs the program until it ends (true) or its script is used up.
  bool Run() {
    try {
      system.Run(window);
      return true;
    } catch (const ScriptEnded&) {
      return false;
    }
  }

  // The menu bar as the main window lays it out.
  static widgets::MenuBar Menu() {
    widgets::MenuBar menu(res::TablesFor("zh-CN").menu);
    SoftSurface measure(1, 1);
    menu.Layout(measure, 612);
    return menu;
  }
  static int BarHeight() { return Menu().height(); }
  // The main window's frame around the menu bar and the 612 by 374 client area.
  static FrameLayout MainFrame() {
    return LayOutFrame(FrameStyle::kMain, Size{612, BarHeight() + 374});
  }
  Rect Content() const { return MainFrame().content; }
  // A client point as a point of the main window's canvas.
  Point OnCanvas(Point client) const {
    return Point{Content().left + client.x, Content().top + BarHeight() + client.y};
  }
  void ClickCell(game::CellRef cell) {
    const Point at = OnCanvas(shell::CellCentre(window.layout().board_origin, cell));
    page.Click(kMain, at.x, at.y);
  }
  void ExitWithAltX() { page.Press("KeyX", "x", kModifierAlt); }

  // Whether the main canvas shows the headless game's client area, pixel for pixel, but for
  // the client rectangle `except`.
  ::testing::AssertionResult ClientMatchesHeadless(Rect except = {}) {
    const testing::FakeCanvas& canvas = page.canvas(kMain);
    const SoftSurface& expected = headless.surface();
    const Point origin = OnCanvas(Point{0, 0});
    for (int y = 0; y < expected.height(); ++y) {
      for (int x = 0; x < expected.width(); ++x) {
        if (x >= except.left && x < except.right && y >= except.top && y < except.bottom) continue;
        const Point at{origin.x + x, origin.y + y};
        if (canvas.Pixel(at.x, at.y) != *expected.GetPixel(x, y)) {
          return ::testing::AssertionFailure() << "client pixel " << x << "," << y << " differs";
        }
      }
    }
    return ::testing::AssertionSuccess();
  }

  // A ball and an empty cell it can reach, on the current board.
  std::pair<game::CellRef, game::CellRef> SomeMove() const {
    const game::Board& board = window.game().supply.board;
    game::CellRef ball{};
    game::CellRef empty{};
    for (int index = 0; index < game::kCellCount; ++index) {
      const game::CellRef cell{index % 9, index / 9};
      (board.cells[index] == game::kEmpty ? empty : ball) = cell;
    }
    return {ball, empty};
  }

  // The name of the stored table's row, read back as the next page would.
  std::string StoredName(std::size_t index) {
    if (!store.values.contains(kKey)) return "<nothing stored>";
    StorageFileSystem stored(store, std::string(kKey), "winrolvi.res");
    records::RecordBook book;
    records::LoadRecords(book, stored, rolvi::testing::ProgramTexts().default_names);
    return std::string(records::NameText(book.table[index].name));
  }

  void SetScore(std::int32_t score) {
    page.Do([this, score] { const_cast<game::Game&>(window.game()).score.score = score; });
  }

  FakePage page;
  FakeStore store;
  StorageFileSystem files;
  WebWindowSystem system;
  shell::MainWindow window;
  platform::MemoryFileSystem headless_files;
  platform::HeadlessWindowSystem headless;
  shell::MainWindow headless_window;
};

// The first frame shows the headless game's after the drops, out of sight; a click on a ball
// and one on an empty cell then move it as in the headless game.
TEST_F(WebWindowSystemTest, TheFirstFrameAndAMoveAreTheHeadlessGames) {
  int slept_before_show = -1;
  std::uint32_t frames = 0;
  int presents = 0;
  page.Do([&] {
    const testing::FakeCanvas& main = page.canvas(kMain);
    EXPECT_TRUE(main.shown);
    EXPECT_EQ(main.at, (Point{0, 0}));
    EXPECT_EQ(main.size, (Size{620, 420 + BarHeight() - 20}));
    EXPECT_EQ(main.presents, 1);
    EXPECT_TRUE(ClientMatchesHeadless());
    // The classic frame: navy title bar with the icon and caption, the menu bar below it.
    EXPECT_EQ(main.Pixel(300, 10), kNavy);
    EXPECT_EQ(main.Pixel(300, 30), (Rgb{192, 192, 192}));
    slept_before_show = page.slept_ms();

    const auto [ball, empty] = SomeMove();
    ClickCell(ball);
    // The selected ball jumps a frame every 50 ms of the page's clock, and each is shown.
    page.Do([&] {
      EXPECT_EQ(window.game().turn.selection, game::SelectionState::kSelected);
      frames = window.game().turn.frameCounter;
      presents = page.canvas(kMain).presents;
    });
    page.Wait(500);
    page.Do([&] {
      EXPECT_EQ(window.game().turn.frameCounter - frames, 10u);
      EXPECT_GE(page.canvas(kMain).presents - presents, 10);
    });
    ClickCell(empty);
    page.Do([&, ball = ball, empty = empty] {
      for (const game::CellRef cell : {ball, empty}) {
        const Point centre = shell::CellCentre(headless_window.layout().board_origin, cell);
        headless_window.OnMouseDown(centre.x, centre.y);
        headless_window.OnMouseUp(centre.x, centre.y);
      }
      EXPECT_EQ(window.game().supply.board, headless_window.game().supply.board);
      EXPECT_EQ(window.game().supply.next, headless_window.game().supply.next);
      EXPECT_NE(window.game().supply.board.at(empty.column, empty.row), game::kEmpty);
      EXPECT_TRUE(ClientMatchesHeadless());
    });
    ExitWithAltX();
  });
  EXPECT_TRUE(Run());
  EXPECT_EQ(slept_before_show, 500);  // the first game's five drops, before anything showed
  EXPECT_EQ(page.title(), "Color rolvi");
  EXPECT_EQ(page.desk(), (Rect{-8, -8, 660, 428 + BarHeight() - 20}));
  EXPECT_TRUE(page.closed_shown());
  EXPECT_TRUE(store.values.empty());  // no result: nothing to keep
}

// A jumping ball's frame puts its cell on the canvas and nothing else; a whole present would
// put the whole canvas there.
TEST_F(WebWindowSystemTest, AJumpFramePutsOnlyItsCellOnTheCanvas) {
  std::int64_t before = 0;
  std::int64_t frame = 0;
  page.Do([&] { ClickCell(SomeMove().first); });
  page.Do([&] { before = page.canvas(kMain).copied_bytes; });
  page.Wait(50);
  page.Do([&] {
    frame = page.canvas(kMain).copied_bytes - before;
    // Everything but the jumping ball's cell is the headless game's picture.
    const Point centre = shell::CellCentre(window.layout().board_origin, SomeMove().first);
    EXPECT_TRUE(
        ClientMatchesHeadless({centre.x - 18, centre.y - 18, centre.x + 18, centre.y + 18}));
  });
  ExitWithAltX();
  EXPECT_TRUE(Run());
  const Size canvas = page.canvas(kMain).size;
  RecordProperty("bytes_per_jump_frame", std::to_string(frame));
  RecordProperty("bytes_per_whole_present", std::to_string(4 * canvas.width * canvas.height));
  EXPECT_GT(frame, 0);
  EXPECT_LE(frame, 4 * 36 * 36);
}

TEST_F(WebWindowSystemTest, F1OpensTheRulesAndF5TheStatisticsEachOnItsOwnCanvas) {
  page.Press("F1", "F1");
  page.Do([&] {
    EXPECT_THAT(system.Describe(), HasSubstr("\"caption\":\"" + Hex(kRulesCaption) + "\""));
    const testing::FakeCanvas& rules = page.canvas(2);
    EXPECT_TRUE(rules.shown);
    EXPECT_EQ(rules.at, CentreIn(page.canvas(kMain).size, rules.size));
    EXPECT_EQ(rules.Pixel(5, 5), kNavy);
    EXPECT_EQ(page.canvas(kMain).Pixel(300, 10), kGrey);  // the owner is inactive
  });
  // The main window takes no input while the dialog is up.
  page.Do([&] { ClickCell(SomeMove().first); });
  page.Do([&] { EXPECT_EQ(window.game().turn.selection, game::SelectionState::kNone); });
  page.Press("Enter", "Enter");
  page.Do([&] {
    EXPECT_FALSE(page.canvas(2).open);
    EXPECT_EQ(page.canvas(kMain).Pixel(300, 10), kNavy);
    EXPECT_THAT(system.Describe(), HasSubstr("\"dialogs\":[]"));
  });
  // F5 opens the statistics beside the board; their close box, or F5 again, closes them.
  page.Press("F5", "F5");
  page.Do([&] {
    ASSERT_TRUE(window.stats_open());
    const testing::FakeCanvas& stats = page.canvas(3);
    EXPECT_TRUE(stats.shown);
    // 12 pixels right of the board's frame, 32 below the main window's top; the size asked
    // for is the content's.
    const int board_right = window.layout().board_origin.x + gfx::kBoardFrameSide;
    EXPECT_EQ(stats.at, (Point{board_right + 12, 32}));
    EXPECT_EQ(stats.size, (Size{164 + 6, 310 + 24}));
    EXPECT_LE(stats.at.x + stats.size.width, page.desk().right);
    EXPECT_EQ(stats.Pixel(5, 5), kGrey);  // the keyboard stays with the main window
    EXPECT_EQ(page.canvas(kMain).Pixel(300, 10), kNavy);
    const Rect box = LayOutFrame(FrameStyle::kDialog, Size{164, 310}).close_box;
    page.Click(3, box.left + 3, box.top + 3);
  });
  page.Do([&] {
    EXPECT_FALSE(window.stats_open());
    EXPECT_FALSE(page.canvas(3).shown);
  });
  page.Press("F5", "F5");  // and again, with the key
  page.Do([&] { EXPECT_TRUE(page.canvas(4).shown); });
  page.Press("F5", "F5");
  page.Do([&] { EXPECT_FALSE(page.canvas(4).shown); });
  ExitWithAltX();
  EXPECT_TRUE(Run());
}

TEST_F(WebWindowSystemTest, TheMenuOpensByAltFByAnAltTapAndByMouse) {
  page.Press("KeyF", "f", kModifierAlt);
  page.Do([&] {
    EXPECT_THAT(system.Describe(), HasSubstr("\"mode\":\"open\",\"popup\":0"));
    // The drop-down over the client area, its first item selected.
    EXPECT_EQ(page.canvas(kMain).Pixel(Content().left + 8, Content().top + BarHeight() + 8), kNavy);
  });
  page.Press("Escape", "Escape");
  page.Press("Escape", "Escape");
  page.Do([&] { EXPECT_THAT(system.Describe(), HasSubstr("\"mode\":\"closed\"")); });
  page.Press("AltLeft", "Alt", kModifierAlt);
  page.Do([&] { EXPECT_THAT(system.Describe(), HasSubstr("\"mode\":\"bar\"")); });
  page.Press("Escape", "Escape");

  // By mouse: a click on the File title opens it, one on its last item chooses that.
  widgets::MenuBar menu = Menu();
  const Rect title = menu.TitleRect(0);
  const Point on_title{Content().left + (title.left + title.right) / 2,
                       Content().top + (title.top + title.bottom) / 2};
  page.Click(kMain, on_title.x, on_title.y);
  menu.OnMouseDown(on_title.x - Content().left, on_title.y - Content().top);
  menu.OnMouseUp(on_title.x - Content().left, on_title.y - Content().top);
  page.Do([&] { EXPECT_THAT(system.Describe(), HasSubstr("\"mode\":\"open\",\"popup\":0")); });
  const Rect drop_down = menu.DropDownRect().value();
  const Rect exit_item = menu.ItemRect(3);
  page.Click(kMain, Content().left + drop_down.left + exit_item.left + 10,
             Content().top + drop_down.top + (exit_item.top + exit_item.bottom) / 2);
  EXPECT_TRUE(Run());  // the File menu's Exit ended the program
  EXPECT_TRUE(page.closed_shown());
}

// A page hidden while the name is asked keeps the result under the offered name; the name
// accepted later replaces it at once.
TEST_F(WebWindowSystemTest, AResultIsStoredWhenThePageHidesAndWhenItsCheckedNameIsAccepted) {
  SetScore(42);
  page.Press("F4", "F4");
  page.Do([&] {
    const std::string described = system.Describe();
    EXPECT_THAT(described, HasSubstr(Hex(kNameCaption)));
    EXPECT_THAT(described, HasSubstr("\"edit\":\"" + Hex("Ulvo Dask") + "\""));
    system.OnPageHidden();
    EXPECT_EQ(StoredName(1), "Ulvo Dask");
  });
  // Typing with Alt or Control held types nothing; else the offered name, selected, is replaced.
  page.Press("KeyQ", "q", kModifierControl, "q");
  page.Type("ABCDEFGHIJKLMN");
  page.Press("Enter", "Enter");
  page.Do([&] {
    const std::string described = system.Describe();
    EXPECT_THAT(described, HasSubstr("\"kind\":\"message\""));
    EXPECT_THAT(described, HasSubstr(Hex(rolvi::testing::ProgramTexts().name_check.too_long)));
    EXPECT_THAT(described, HasSubstr(Hex(rolvi::testing::ProgramTexts().name_check.caption)));
  });
  page.Press("Enter", "Enter");
  page.Press("End", "End");
  for (int i = 0; i < 14; ++i)
    page.Press("Backspace", "Backspace");
  page.Type("Grace");
  page.Press("Enter", "Enter");
  page.Do([&] {
    // The records list follows, and the table is already kept.
    EXPECT_THAT(system.Describe(), HasSubstr(Hex(kRecordsCaption)));
    EXPECT_EQ(StoredName(1), "Grace");
  });
  page.Press("Enter", "Enter");
  // Every end that may come writes the table again: a hidden page, and the exit.
  // (Each save reads the stored table first: a cleared one would be another tab's doing.)
  int writes = 0;
  page.Do([&] {
    EXPECT_THAT(system.Describe(), HasSubstr("\"dialogs\":[]"));
    writes = store.writes;
    system.OnPageHidden();
    EXPECT_GT(store.writes, writes);
    EXPECT_EQ(StoredName(1), "Grace");
    writes = store.writes;
  });
  ExitWithAltX();
  EXPECT_TRUE(Run());
  EXPECT_GT(store.writes, writes);
  EXPECT_EQ(StoredName(1), "Grace");
  EXPECT_EQ(StoredName(2),
            records::NameText(
                records::DefaultRecordTable(rolvi::testing::ProgramTexts().default_names)[1].name));
  system.OnPageHidden();  // after the end: nothing is touched
}

// Storage that is full: the page says so in a notice, play goes on, and a later save, once
// there is room, keeps the result.
TEST_F(WebWindowSystemTest, AResultTheStorageCannotTakeIsToldOnThePageAndKeptLater) {
  store.full = true;
  SetScore(42);
  page.Press("F4", "F4");
  page.Press("Enter", "Enter");  // the offered name is taken, and the table cannot be kept
  page.Do([&] {
    const auto& texts = rolvi::testing::ProgramTexts().file_problems;
    EXPECT_EQ(page.notices(), std::vector<std::string>{std::string(texts.not_saved) +
                                                       "\nlocalStorage: rolvi.records\n" +
                                                       std::string(texts.full)});
    EXPECT_TRUE(store.values.empty());
    EXPECT_THAT(system.Describe(), HasSubstr(Hex(kRecordsCaption)));  // the list still follows
  });
  page.Press("Enter", "Enter");
  page.Do([&] {
    store.full = false;
    system.OnPageHidden();
    EXPECT_EQ(StoredName(1), "Ulvo Dask");
    EXPECT_EQ(page.notices().size(), 1u);
  });
  ExitWithAltX();
  EXPECT_TRUE(Run());
}

TEST_F(WebWindowSystemTest, TheMainWindowsCloseBoxEndsTheProgramLikeExit) {
  const Rect box = MainFrame().close_box;
  // A press that leaves the box before the release does nothing.
  page.Mouse(PageEvent::Kind::kMouseDown, kMain, box.left + 2, box.top + 2);
  page.Do([&] { EXPECT_EQ(page.canvas(kMain).Pixel(box.left, box.top), kBlack); });  // sunk
  page.Mouse(PageEvent::Kind::kMouseMove, kMain, 300, 200);
  page.Mouse(PageEvent::Kind::kMouseUp, kMain, 300, 200);
  page.Do([&] {
    EXPECT_FALSE(page.closed_shown());
    EXPECT_THAT(system.Describe(), HasSubstr("\"timer\":true"));
  });
  page.Click(kMain, box.left + 2, box.top + 2);
  EXPECT_TRUE(Run());
  EXPECT_TRUE(page.closed_shown());
  EXPECT_THAT(system.Describe(), Not(HasSubstr("\"timer\":true")));
}

}  // namespace
}  // namespace rolvi::platform::web
