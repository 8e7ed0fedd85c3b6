// Play by keyboard: the board cursor's steps and jumps, where it first shows, and the main
// window played by keys alone next to the same game played by clicks: the same turns, beeps
// and pictures, the cursor's frame over every redraw of its cell, and a click that hides it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "gfx/board_renderer.h"
#include "gfx/cell_cursor.h"
#include "greedy/greedy_player.h"
#include "platform/headless/headless_window_system.h"
#include "platform/memory_file_system.h"
#include "shell/board_cursor.h"
#include "shell/main_window.h"
#include "support/ascii_board.h"
#include "support/program_assets.h"

namespace rolvi::shell {
namespace {

using game::CellRef;
using platform::ClientKey;

TEST(BoardCursorTest, ArrowsStepOneCellAndStopAtTheBoardsEdges) {
  EXPECT_EQ(CursorStep({4, 4}, ClientKey::kLeft), (CellRef{3, 4}));
  EXPECT_EQ(CursorStep({4, 4}, ClientKey::kRight), (CellRef{5, 4}));
  EXPECT_EQ(CursorStep({4, 4}, ClientKey::kUp), (CellRef{4, 3}));
  EXPECT_EQ(CursorStep({4, 4}, ClientKey::kDown), (CellRef{4, 5}));
  // No wrapping, at any edge or corner.
  EXPECT_EQ(CursorStep({0, 3}, ClientKey::kLeft), (CellRef{0, 3}));
  EXPECT_EQ(CursorStep({8, 3}, ClientKey::kRight), (CellRef{8, 3}));
  EXPECT_EQ(CursorStep({5, 0}, ClientKey::kUp), (CellRef{5, 0}));
  EXPECT_EQ(CursorStep({5, 8}, ClientKey::kDown), (CellRef{5, 8}));
  EXPECT_EQ(CursorStep({0, 0}, ClientKey::kUp), (CellRef{0, 0}));
  EXPECT_EQ(CursorStep({8, 8}, ClientKey::kRight), (CellRef{8, 8}));
  // Space and Enter act where it stands; they do not move it.
  EXPECT_EQ(CursorStep({2, 7}, ClientKey::kSpace), (CellRef{2, 7}));
  EXPECT_EQ(CursorStep({2, 7}, ClientKey::kEnter), (CellRef{2, 7}));
}

TEST(BoardCursorTest, HomeAndEndJumpAlongTheRowPageUpAndPageDownAlongTheColumn) {
  EXPECT_EQ(CursorStep({6, 2}, ClientKey::kHome), (CellRef{0, 2}));
  EXPECT_EQ(CursorStep({6, 2}, ClientKey::kEnd), (CellRef{8, 2}));
  EXPECT_EQ(CursorStep({6, 2}, ClientKey::kPageUp), (CellRef{6, 0}));
  EXPECT_EQ(CursorStep({6, 2}, ClientKey::kPageDown), (CellRef{6, 8}));
  EXPECT_EQ(CursorStep({0, 8}, ClientKey::kHome), (CellRef{0, 8}));
  EXPECT_EQ(CursorStep({0, 8}, ClientKey::kPageDown), (CellRef{0, 8}));
}

TEST(BoardCursorTest, ShowsOnTheSelectedBallOrElseOnTheCentreAndMovesOnlyWhileShown) {
  BoardCursor cursor;
  EXPECT_FALSE(cursor.shown());
  EXPECT_FALSE(cursor.Move(ClientKey::kRight));  // hidden: it stays
  game::TurnState turn;
  cursor.Show(turn);
  EXPECT_TRUE(cursor.shown());
  EXPECT_EQ(cursor.cell(), (CellRef{4, 4}));
  EXPECT_TRUE(cursor.Move(ClientKey::kEnd));
  EXPECT_FALSE(cursor.Move(ClientKey::kRight));
  EXPECT_EQ(cursor.cell(), (CellRef{8, 4}));

  cursor.Hide();
  turn.selection = game::SelectionState::kSelected;
  turn.selectedCell = {1, 7};
  cursor.Show(turn);
  EXPECT_EQ(cursor.cell(), (CellRef{1, 7}));
}

class BeepCounter final : public platform::HeadlessObserver {
 public:
  void OnBeep() override { ++beeps; }
  int beeps = 0;
};

// One main window on the headless window system, seed 1.
struct Table {
  Table() : system(platform::Size{612, 374}, 1, files), window(system, testing::ProgramAssets()) {
    system.SetObserver(&observer);
    system.Attach(window);
    system.Create();
    system.Resize(612, 374);
  }
  const game::Game& game() const { return window.game(); }
  std::vector<std::uint32_t> Pixels() {
    return {system.surface().pixels().begin(), system.surface().pixels().end()};
  }
  void Click(CellRef cell) {
    const platform::Point centre = CellCentre(window.layout().board_origin, cell);
    window.OnMouseDown(centre.x, centre.y);
    window.OnMouseUp(centre.x, centre.y);
  }
  void Keys(std::initializer_list<ClientKey> keys) {
    for (const ClientKey key : keys)
      system.PressKey(key);
  }
  // The arrows from the cursor to `cell`, then Enter: a click by keys.
  void KeyClick(CellRef cell) {
    while (window.cursor().cell() != cell) {
      const CellRef at = window.cursor().cell();
      system.PressKey(at.column < cell.column   ? ClientKey::kRight
                      : at.column > cell.column ? ClientKey::kLeft
                      : at.row < cell.row       ? ClientKey::kDown
                                                : ClientKey::kUp);
    }
    system.PressKey(ClientKey::kEnter);
  }
  // Whether the cursor's two rings stand on the cell's tile.
  bool FrameOn(CellRef cell) {
    const platform::Point origin = window.layout().board_origin;
    const int left = origin.x + 2 + gfx::kCellPitch * cell.column;
    const int top = origin.y + 2 + gfx::kCellPitch * cell.row;
    for (int i = 0; i < gfx::kTileSize; ++i) {
      for (const auto& [x, y] : {std::pair{left + i, top}, std::pair{left, top + i},
                                 std::pair{left + i, top + 35}, std::pair{left + 35, top + i}}) {
        if (system.surface().GetPixel(x, y) != gfx::kCursorOuter) return false;
      }
    }
    return system.surface().GetPixel(left + 1, top + 1) == gfx::kCursorInner &&
           system.surface().GetPixel(left + 34, top + 34) == gfx::kCursorInner;
  }
  // Puts a position of the test's own on the board and shows it.
  void SetBoard(const game::Board& board) {
    const_cast<game::Game&>(window.game()).supply.board = board;
    system.Paint();
  }

  platform::MemoryFileSystem files;
  BeepCounter observer;
  platform::HeadlessWindowSystem system;
  MainWindow window;
};

void ExpectSameGame(const game::Game& a, const game::Game& b) {
  EXPECT_EQ(a.supply.board, b.supply.board);
  EXPECT_EQ(a.supply.next.colours, b.supply.next.colours);
  EXPECT_EQ(a.supply.tally.removed, b.supply.tally.removed);
  EXPECT_EQ(a.score.score, b.score.score);
  EXPECT_EQ(a.turn.selection, b.turn.selection);
  EXPECT_EQ(a.turn.selectedCell, b.turn.selectedCell);
  EXPECT_EQ(a.turn.frameCounter, b.turn.frameCounter);
  EXPECT_EQ(a.figures, b.figures);
}

TEST(KeyboardPlayTest, TheFirstKeyShowsTheFrameOnTheCentreAndTheNextOnesMoveIt) {
  Table table;
  const std::vector<std::uint32_t> before = table.Pixels();
  table.Keys({ClientKey::kRight});
  ASSERT_TRUE(table.window.cursor().shown());
  EXPECT_EQ(table.window.cursor().cell(), (CellRef{4, 4}));
  EXPECT_TRUE(table.FrameOn({4, 4}));
  // Only the frame's 272 pixels changed.
  const std::vector<std::uint32_t> shown = table.Pixels();
  std::size_t changed = 0;
  for (std::size_t i = 0; i < before.size(); ++i)
    changed += before[i] != shown[i];
  EXPECT_EQ(changed, 272u);

  table.Keys({ClientKey::kRight, ClientKey::kPageUp, ClientKey::kUp});
  EXPECT_EQ(table.window.cursor().cell(), (CellRef{5, 0}));
  EXPECT_TRUE(table.FrameOn({5, 0}));
  EXPECT_FALSE(table.FrameOn({4, 4}));
  table.Keys({ClientKey::kHome, ClientKey::kPageDown, ClientKey::kLeft});
  EXPECT_EQ(table.window.cursor().cell(), (CellRef{0, 8}));

  // A click hides it and leaves the picture as it was before the first key.
  table.window.OnMouseDown(2, 2);
  table.window.OnMouseUp(2, 2);
  EXPECT_FALSE(table.window.cursor().shown());
  EXPECT_EQ(table.Pixels(), before);
}

TEST(KeyboardPlayTest,
     SpaceOrEnterOnAHiddenCursorOnlyShowsItAndAfterAClickItShowsOnTheSelectedBall) {
  Table table;
  const game::Board board = table.game().supply.board;
  table.Keys({ClientKey::kEnter});
  EXPECT_TRUE(table.window.cursor().shown());
  EXPECT_EQ(table.game().turn.selection, game::SelectionState::kNone);

  CellRef ball{};
  for (int index = 0; index < game::kCellCount; ++index) {
    if (board.cells[static_cast<std::size_t>(index)] != game::kEmpty) ball = {index % 9, index / 9};
  }
  table.Click(ball);
  EXPECT_FALSE(table.window.cursor().shown());
  EXPECT_EQ(table.game().turn.selection, game::SelectionState::kSelected);
  table.Keys({ClientKey::kSpace});
  EXPECT_EQ(table.window.cursor().cell(), ball);
  EXPECT_TRUE(table.FrameOn(ball));
  EXPECT_EQ(table.game().supply.board, board);
}

TEST(KeyboardPlayTest, KeysPlayTheGreedyPlayersGameTurnForTurnAsClicksDo) {
  Table mouse;
  Table keys;
  std::uint32_t choice_seed = 5;
  // Twenty turns land at most 65 balls: the board cannot fill up.
  for (int move = 0; move < 20; ++move) {
    const auto planned = greedy::ChooseMove(mouse.game().supply.board, choice_seed);
    ASSERT_TRUE(planned);
    mouse.Click(planned->from);
    mouse.Click(planned->to);
    mouse.window.OnTimer();
    keys.KeyClick(planned->from);
    keys.KeyClick(planned->to);
    keys.window.OnTimer();
    ExpectSameGame(keys.game(), mouse.game());
    EXPECT_EQ(keys.system.clock_ms(), mouse.system.clock_ms());
    ASSERT_TRUE(keys.FrameOn(planned->to)) << "move " << move;
  }
  EXPECT_GT(keys.game().score.score, 0);
  // With the frame hidden by a press beside the board, the two pictures are one.
  for (Table* table : {&mouse, &keys}) {
    table->window.OnMouseDown(1, 1);
    table->window.OnMouseUp(1, 1);
  }
  EXPECT_EQ(keys.Pixels(), mouse.Pixels());
}

TEST(KeyboardPlayTest, ARefusedMoveByKeysBeepsAndKeepsTheSelectionAsAClickDoes) {
  // The green ball in the corner is walled in.
  const game::Board board = testing::BoardFromAscii(
      "GR......."
      "R........"
      "........."
      "........."
      "........."
      "........."
      "........."
      "........."
      ".........");
  Table mouse;
  Table keys;
  mouse.SetBoard(board);
  keys.SetBoard(board);
  mouse.Click({0, 0});
  mouse.Click({5, 5});
  keys.Keys({ClientKey::kUp, ClientKey::kHome, ClientKey::kPageUp});
  keys.KeyClick({0, 0});
  keys.KeyClick({5, 5});
  EXPECT_EQ(mouse.observer.beeps, 1);
  EXPECT_EQ(keys.observer.beeps, 1);
  ExpectSameGame(keys.game(), mouse.game());
  EXPECT_EQ(keys.game().turn.selectedCell, (CellRef{0, 0}));
  EXPECT_TRUE(keys.FrameOn({5, 5}));
}

TEST(KeyboardPlayTest, TheFrameStaysOverEveryRedrawOfItsCell) {
  // Four blue balls in a row and a fifth below the gap: moving it up completes the line.
  Table table;
  table.SetBoard(
      testing::BoardFromAscii("........."
                              "........."
                              "........."
                              "........."
                              "BB.BB...."
                              "..B......"
                              "........."
                              "........."
                              "........."));
  table.Keys({ClientKey::kDown});  // shows it on (4, 4)
  table.KeyClick({2, 5});
  // The selected ball jumps under the frame, tick after tick.
  for (int tick = 0; tick < 7; ++tick) {
    table.window.OnTimer();
    ASSERT_TRUE(table.FrameOn({2, 5})) << "tick " << tick;
  }
  table.system.Paint();  // a whole paint
  EXPECT_TRUE(table.FrameOn({2, 5}));
  table.window.OnCommand(514);  // every ball redrawn with its symbol
  EXPECT_TRUE(table.FrameOn({2, 5}));
  table.window.OnCommand(514);
  // The move's frames on the destination, then the line's burst there.
  table.KeyClick({2, 4});
  EXPECT_EQ(table.game().score.score, 10);
  EXPECT_EQ(table.game().supply.board.at(2, 4), game::kEmpty);
  EXPECT_TRUE(table.FrameOn({2, 4}));
  // A larger window: the frame follows its cell.
  table.system.Resize(1016, 700);
  EXPECT_TRUE(table.FrameOn({2, 4}));
  // A new game: the board and its drops are drawn anew, the frame with them.
  table.system.name_answers().push_back("Kay");
  table.window.OnCommand(256);
  EXPECT_TRUE(table.FrameOn({2, 4}));
}

}  // namespace
}  // namespace rolvi::shell
