#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "game/turn_flow.h"
#include "platform/gbk/gbk_text.h"
#include "platform/headless/headless_window_system.h"
#include "platform/memory_file_system.h"
#include "records/record_file.h"
#include "support/program_assets.h"
#include "support/temp_directory.h"

namespace rolvi::shell {
namespace {

using platform::GbkToUtf8;
using platform::Rgb;

class MainWindowTest : public ::testing::Test {
 protected:
  explicit MainWindowTest(const Assets& assets = testing::ProgramAssets())
      : system(platform::Size{612, 374}, 1, files), window(system, assets) {
    system.Attach(window);
  }

  void Start() {
    system.Create();
    system.Resize(612, 374);
  }

  Rgb At(int x, int y) { return system.surface().GetPixel(x, y).value(); }

  // A ball and an empty cell it can reach, found on the current board.
  std::pair<game::CellRef, game::CellRef> SomeMove() {
    const game::Board& board = window.game().supply.board;
    game::CellRef ball{}, empty{};
    for (int index = 0; index < game::kCellCount; ++index) {
      const game::CellRef cell{index % 9, index / 9};
      (board.cells[index] == game::kEmpty ? empty : ball) = cell;
    }
    return {ball, empty};
  }

  void Click(game::CellRef cell) {
    const platform::Point centre = CellCentre(window.layout().board_origin, cell);
    window.OnMouseDown(centre.x, centre.y);
    window.OnMouseUp(centre.x, centre.y);
  }

  // Ends the game with `score` and answers the name dialog with each of `names` in turn.
  void EnterResult(std::int32_t score, std::initializer_list<std::string> names) {
    system.name_answers().insert(system.name_answers().end(), names);
    const_cast<game::Game&>(window.game()).score.score = score;
    window.OnCommand(256);
  }
  std::vector<std::uint8_t>& File() { return files.files["winrolvi.res"]; }

  platform::MemoryFileSystem files;
  platform::HeadlessWindowSystem system;
  MainWindow window;
};

TEST_F(MainWindowTest, CreationSetsUpTheFirstGameBeforeAnySizeAndPaintFollowsTheLayout) {
  system.Create();
  const game::Game& game = window.game();
  EXPECT_EQ(window.sheet_load(), gfx::SheetLoad::kLoaded);
  EXPECT_EQ(system.timer_period_ms(), 50);
  EXPECT_EQ(window.layout().board_origin, (platform::Point{146, 68}));
  EXPECT_EQ(game::CountEmptyCells(game.supply.board), 76);
  EXPECT_EQ(system.clock_ms(), 500);  // five balls of 100 ms each
  EXPECT_EQ(game.figures, (game::FigureState{0, 0, 125, 0}));
  EXPECT_TRUE(window.show_next());
  EXPECT_EQ(window.MinimumTrackSize(), (platform::Size{620, 420}));

  system.Resize(612, 374);
  const platform::Point origin = window.layout().board_origin;
  ASSERT_EQ(origin, (platform::Point{142, 45}));
  EXPECT_EQ(At(origin.x + 327, origin.y), platform::kWhite);
  EXPECT_EQ(At(origin.x, origin.y + 327), platform::kWhite);
  EXPECT_EQ(At(origin.x + 327, origin.y + 327), (Rgb{85, 85, 85}));
  EXPECT_EQ(At(611, 20), (Rgb{192, 192, 192}));  // header bar face
  EXPECT_EQ(At(516, 10), platform::kWhite);      // score box outline
  EXPECT_EQ(At(24, 10), platform::kWhite);       // record box outline

  system.Resize(1016, 700);
  EXPECT_EQ(window.layout().board_origin, (platform::Point{344, 208}));
  EXPECT_EQ(At(344 + 327, 208), platform::kWhite);
  EXPECT_EQ(At(1015, 43), (Rgb{128, 128, 128}));
}

TEST_F(MainWindowTest, SizesBeyondTheLargestClientAreaAreRefused) {
  Start();
  for (const auto& [width, height] :
       {std::pair{platform::kMaxClientSide + 1, 400}, std::pair{700, 65535}, std::pair{-1, 400}}) {
    EXPECT_FALSE(system.Resize(width, height)) << width << " by " << height;
  }
  EXPECT_EQ(system.ClientSize(), (platform::Size{612, 374}));
  EXPECT_EQ(system.surface().width(), 612);
  EXPECT_EQ(window.layout().board_origin, (platform::Point{142, 45}));

  EXPECT_TRUE(system.Resize(platform::kMaxClientSide, 400));
  EXPECT_EQ(system.surface().width(), platform::kMaxClientSide);
  EXPECT_EQ(window.layout().board_origin.x, (platform::kMaxClientSide - 328) / 2);

  platform::HeadlessWindowSystem wide(platform::Size{65535, 20}, 1, files);
  EXPECT_EQ(wide.ClientSize(), (platform::Size{platform::kMaxClientSide, 20}));
  EXPECT_EQ(wide.surface().width(), platform::kMaxClientSide);
}

TEST_F(MainWindowTest, MenuCommandsToggleThePreviewAndTheStatisticsWithTheirCheckMarks) {
  Start();
  const game::Board board = window.game().supply.board;
  window.OnCommand(999);  // unknown commands change nothing
  window.OnCommand(0);
  EXPECT_EQ(window.game().supply.board, board);
  EXPECT_FALSE(system.destroyed());

  window.OnCommand(512);
  EXPECT_FALSE(window.show_next());
  EXPECT_FALSE(system.menu_checked(512));
  window.OnCommand(512 | 0x10000);  // only the low 16 bits count
  EXPECT_TRUE(window.show_next());
  EXPECT_TRUE(system.menu_checked(512));

  window.OnCommand(513);
  EXPECT_TRUE(window.stats_open());
  EXPECT_TRUE(system.menu_checked(513));
  system.ServePendingRepaints();
  ASSERT_NE(system.stats_surface(), nullptr);
  window.OnCommand(513);
  EXPECT_FALSE(window.stats_open());
  EXPECT_FALSE(system.menu_checked(513));
  EXPECT_EQ(system.stats_surface(), nullptr);
}

TEST_F(MainWindowTest, AResultIsEnteredAndTheTableIsWrittenOnlyOnceAtTheFirstEnd) {
  Start();
  window.OnSessionEnding();          // the display went away
  EXPECT_TRUE(files.files.empty());  // nothing entered: nothing to keep
  EnterResult(42, {"", "Ada"});      // the empty name is refused
  EXPECT_EQ(records::NameText(window.game().records.table[1].name), "Ada");
  EXPECT_EQ(window.game().records.table[1].score, 42);
  EXPECT_TRUE(files.files.empty());  // not before an end of the run

  window.OnSessionEnding();
  ASSERT_EQ(File().size(), 160u);
  EXPECT_EQ(File()[16], 3);  // the length byte of "Ada"
  // Whatever end comes next writes nothing more.
  File().clear();
  window.OnCommand(258);
  EXPECT_TRUE(system.destroyed());
  EXPECT_TRUE(File().empty());
}

// A program that writes its table as soon as a result enters it, as the desktop programs and
// the page do, on files of the kind `Files`.
template <typename Files>
struct ResultSavingProgram {
  template <typename... FilesArguments>
  explicit ResultSavingProgram(FilesArguments&&... arguments)
      : files(std::forward<FilesArguments>(arguments)...),
        system(platform::Size{612, 374}, 1, files),
        window(system, testing::ProgramAssets(), RecordSaving::kWhenAResultEnters) {
    system.Attach(window);
    system.Create();
  }
  // Ends the game with `score` and takes `name` for it.
  void Enter(std::int32_t score, const std::string& name) {
    system.name_answers().push_back(name);
    const_cast<game::Game&>(window.game()).score.score = score;
    window.OnCommand(256);
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : window.game().records.table)
      names.emplace_back(records::NameText(entry.name));
    return names;
  }

  Files files;
  platform::HeadlessWindowSystem system;
  MainWindow window;
};

// Two programs in one folder, as the desktop programs save: each result is on disk as soon
// as its name is taken, and neither program's save loses the other's.
TEST(TwoProgramsTest, BothResultsAreKeptAndEachIsOnDiskAsSoonAsItEnters) {
  testing::TempDirectory folder;
  const records::DefaultNames& defaults = testing::ProgramTexts().default_names;
  const auto on_disk = [&] {
    const auto bytes = testing::ReadWholeFile(folder / "winrolvi.res");
    std::vector<std::string> names;
    for (const auto& entry : records::DecodeRecordFile(bytes, defaults).table)
      names.emplace_back(records::NameText(entry.name));
    return names;
  };
  const std::string king(defaults.king);
  const std::string vacant(defaults.vacant);

  ResultSavingProgram<platform::DiskFileSystem> anna(folder.path());
  ResultSavingProgram<platform::DiskFileSystem> bert(folder.path());
  anna.Enter(42, "Anna");
  EXPECT_EQ(on_disk()[1], "Anna") << "before the program ends";
  bert.Enter(30, "Bert");
  const std::vector<std::string> both = {king,   "Anna", "Bert", vacant, vacant,
                                         vacant, vacant, vacant, vacant, vacant};
  EXPECT_EQ(on_disk(), both);
  EXPECT_EQ(bert.Names(), both) << "Bert's program lists Anna too once it saved";
  anna.system.Destroy();
  bert.system.Destroy();
  EXPECT_EQ(on_disk(), both);
  EXPECT_EQ(std::filesystem::file_size(folder / "winrolvi.res"), 160u);
}

// The problem as the player reads it: the first line, where the file is, and why.
std::string Problem(std::string_view first_line, std::string_view where, std::string_view reason) {
  return std::string(first_line) + "\n" + std::string(where) + "\n" + std::string(reason);
}

TEST_F(MainWindowTest, AFailedSaveIsToldAndTriedAgainAtTheNextEnd) {
  const FileProblemTexts& texts = testing::ProgramTexts().file_problems;
  Start();
  EnterResult(42, {"Ada"});
  files.creation_fails = true;
  window.OnSessionEnding();
  EXPECT_TRUE(files.files.empty());
  ASSERT_EQ(system.problems().size(), 1u);
  EXPECT_EQ(system.problems()[0], Problem(texts.not_saved, "memory:winrolvi.res", texts.denied));
  EXPECT_EQ(GbkToUtf8(system.problems()[0]),
            "无法保存排行榜：\nmemory:winrolvi.res\n没有访问权限。");
  // The same failure again is not told twice; a new reason is.
  window.OnSessionEnding();
  EXPECT_EQ(system.problems().size(), 1u);
  files.creation_fails = false;
  files.capacity = 10;
  window.OnSessionEnding();
  ASSERT_EQ(system.problems().size(), 2u);
  EXPECT_EQ(system.problems()[1], Problem(texts.not_saved, "memory:winrolvi.res", texts.full));

  // The place can be written again by the time the program ends: the result is kept.
  files.capacity = records::kRecordFileSize;
  window.OnCommand(258);
  ASSERT_EQ(File().size(), 160u);
  EXPECT_EQ(File()[16], 3);  // "Ada"
  EXPECT_EQ(system.problems().size(), 2u);
}

TEST_F(MainWindowTest, AFileThatCannotBeReadIsToldAtTheStartAndTheGamePlaysOn) {
  files.files["winrolvi.res"] = std::vector<std::uint8_t>(160, 'x');
  files.unreadable.insert("winrolvi.res");
  Start();
  const FileProblemTexts& texts = testing::ProgramTexts().file_problems;
  EXPECT_EQ(system.problems(),
            std::vector<std::string>{Problem(texts.not_read, "memory:winrolvi.res", texts.denied)});
  EXPECT_EQ(window.game().records.recordScore, 100);  // the default table
  EXPECT_EQ(game::CountEmptyCells(window.game().supply.board), 76);
}

TEST_F(MainWindowTest, NothingIsToldWhenTheFilesAreFine) {
  Start();
  EnterResult(42, {"Ada"});
  window.OnCommand(258);
  EXPECT_EQ(File().size(), 160u);
  EXPECT_TRUE(system.problems().empty());
}

// A page keeps the table whenever a result enters; a result that could not be kept is told,
// and the next save, at the next result or when the page is hidden, keeps both.
TEST(PageMainWindowTest, AResultThatCouldNotBeKeptIsToldAndKeptByTheNextSave) {
  ResultSavingProgram<platform::MemoryFileSystem> page;
  page.files.capacity = 10;  // the storage is full
  page.Enter(42, "Ada");
  ASSERT_EQ(page.system.problems().size(), 1u);
  EXPECT_NE(page.system.problems()[0].find(testing::ProgramTexts().file_problems.full),
            std::string::npos);
  // Hidden, the page tries again; the same failure is not told twice.
  page.window.OnSessionEnding();
  EXPECT_EQ(page.system.problems().size(), 1u);
  page.files.capacity = 160;
  page.Enter(43, "Bo");
  EXPECT_EQ(page.system.problems().size(), 1u);
  ASSERT_EQ(page.files.files["winrolvi.res"].size(), 160u);
  records::RecordBook stored;
  records::LoadRecords(stored, page.files, testing::ProgramTexts().default_names);
  EXPECT_EQ(records::NameText(stored.table[1].name), "Bo");
  EXPECT_EQ(records::NameText(stored.table[2].name), "Ada");
}

TEST_F(MainWindowTest, MinimisedWindowDrawsNothingWhileTheGameGoesOn) {
  Start();
  const auto [ball, empty] = SomeMove();
  system.Minimise();
  const std::vector<std::uint32_t> before(system.surface().pixels().begin(),
                                          system.surface().pixels().end());
  const game::CellCode code = window.game().supply.board.at(ball.column, ball.row);
  Click(ball);  // measured from the minimised layout's board origin
  EXPECT_EQ(window.game().turn.selection, game::SelectionState::kSelected);
  window.OnTimer();
  window.OnTimer();
  EXPECT_EQ(window.game().turn.frameCounter, 5u);
  Click(empty);  // the ball moves there and three more land
  EXPECT_EQ(window.game().supply.board.at(empty.column, empty.row), code);
  EXPECT_EQ(game::CountEmptyCells(window.game().supply.board), 76 - 3);
  const std::int64_t moved = system.clock_ms();
  window.OnCommand(256);
  EXPECT_EQ(system.clock_ms(), moved + 500);  // the new game's drops still pause
  EXPECT_TRUE(std::equal(before.begin(), before.end(), system.surface().pixels().begin()));
  system.Restore();
  EXPECT_EQ(window.layout().board_origin, (platform::Point{142, 45}));
}

class BrokenSheetTest : public MainWindowTest {
 protected:
  static Assets Broken() {
    Assets assets = testing::ProgramAssets();
    static const std::uint8_t kBlockTypeThree[] = {0x07};
    assets.sheet_stream = kBlockTypeThree;
    return assets;
  }
  BrokenSheetTest() : MainWindowTest(Broken()) {}
};

TEST_F(BrokenSheetTest, GameWithoutPicturesStillPlaysAndDrawsItsFrames) {
  Start();
  EXPECT_EQ(window.sheet_load(), gfx::SheetLoad::kBadStream);
  const platform::Point origin = window.layout().board_origin;
  EXPECT_EQ(At(origin.x + 327, origin.y), platform::kWhite);
  EXPECT_EQ(At(origin.x + 20, origin.y + 20), platform::kBlack);  // no tile
  EXPECT_EQ(At(611, 20), (Rgb{192, 192, 192}));
  for (int turn = 0; turn < 5; ++turn) {
    const auto [ball, empty] = SomeMove();
    Click(ball);
    Click(empty);
  }
  EXPECT_LT(game::CountEmptyCells(window.game().supply.board), 76);
}

}  // namespace
}  // namespace rolvi::shell
