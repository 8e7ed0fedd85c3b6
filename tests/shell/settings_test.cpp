// The settings file and the ball symbols option: what the file may hold and what makes it
// damaged, and the option's menu check, drawing and memory where the program keeps user
// data and where it keeps none.
#include "shell/settings.h"

#include <gtest/gtest.h>

#include <string>

#include "gfx/ball_symbols.h"
#include "platform/headless/headless_window_system.h"
#include "platform/memory_file_system.h"
#include "shell/main_window.h"
#include "support/program_assets.h"

namespace rolvi::shell {
namespace {

using platform::MemoryFileSystem;

std::optional<Settings> Parse(std::string_view text) {
  return ParseSettings({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

MemoryFileSystem::Bytes BytesOf(std::string_view text) {
  return {text.begin(), text.end()};
}

TEST(SettingsTest, TheFileReadsBackWhatWasWrittenAndPassesOverWhatItDoesNotKnow) {
  for (const bool on : {false, true}) {
    const Settings settings{.ball_symbols = on};
    EXPECT_EQ(Parse(FormatSettings(settings)), settings);
  }
  EXPECT_EQ(Parse(""), Settings{});
  EXPECT_EQ(Parse("ball-symbols=1"), Settings{.ball_symbols = true});  // no final line end
  EXPECT_EQ(Parse("# comment\r\n\r\nball-symbols=1\r\nlater-option=anything\r\n"),
            Settings{.ball_symbols = true});
  EXPECT_EQ(Parse("ball-symbols=1\nball-symbols=0\n"), Settings{});  // the last one counts
}

TEST(SettingsTest, ADamagedFileIsNoFile) {
  using namespace std::string_view_literals;
  const std::string_view damaged[] = {"ball-symbols=yes\n",
                                      "ball-symbols=\n",
                                      "ball-symbols= 1\n",
                                      "ball-symbols\n",
                                      "=1\n",
                                      "ball-symbols=1\x01\n",
                                      "ball-symbols=1\n\xFF\xFE\n",
                                      "ball-symbols=1\0\n"sv};
  for (const std::string_view text : damaged)
    EXPECT_EQ(Parse(text), std::nullopt) << text;
  EXPECT_EQ(Parse(std::string(4090, '#') + "\nball-symbols=1\n"), std::nullopt);  // too long
  EXPECT_EQ(Parse(std::string(4000, '#') + "\n"), Settings{});

  MemoryFileSystem files;
  files.files[std::string(kSettingsFileName)] = BytesOf("ball-symbols=on\n");
  EXPECT_EQ(LoadSettings(files), Settings{});
  files.files[std::string(kSettingsFileName)] = BytesOf(std::string(5000, '\n'));
  EXPECT_EQ(LoadSettings(files), Settings{});
}

TEST(SettingsTest, SavingReplacesTheWholeFile) {
  MemoryFileSystem files;
  EXPECT_EQ(LoadSettings(files), Settings{});
  files.files[std::string(kSettingsFileName)] = BytesOf(std::string(300, '#'));
  ASSERT_TRUE(SaveSettings(files, {.ball_symbols = true}));
  EXPECT_EQ(files.files[std::string(kSettingsFileName)],
            BytesOf("# Color rolvi settings\nball-symbols=1\n"));
  EXPECT_EQ(LoadSettings(files), Settings{.ball_symbols = true});
  files.read_only.insert(std::string(kSettingsFileName));
  EXPECT_FALSE(SaveSettings(files, {}));
  EXPECT_EQ(LoadSettings(files), Settings{.ball_symbols = true});
}

// The main window on the headless window system, with or without a place for settings.
class BallSymbolsOptionTest : public ::testing::Test {
 protected:
  void Start(platform::FileSystem* settings_files) {
    window_.emplace(system_, rolvi::testing::ProgramAssets(), RecordSaving::kOnceAtEnd,
                    settings_files);
    system_.Attach(*window_);
    system_.Create();
    system_.Resize(612, 374);
  }

  MainWindow& window() { return *window_; }

  // Whether the cell of the first ball on the board shows its symbol's outline where the
  // symbol's picture has it.
  bool FirstBallShowsItsSymbol() {
    const game::Board& board = window().game().supply.board;
    for (int index = 0; index < game::kCellCount; ++index) {
      const int colour = board.cells[static_cast<std::size_t>(index)];
      if (colour == game::kEmpty) continue;
      const auto place = gfx::PlaceSymbol(colour, 0);
      const platform::Point origin = window().layout().board_origin;
      const int x = origin.x + 2 + 36 * (index % 9) + place->offset.x;
      const int y = origin.y + 2 + 36 * (index / 9) + place->offset.y;
      for (int row = 0; row < place->picture->side; ++row) {
        const std::string_view pixels = place->picture->rows[static_cast<std::size_t>(row)];
        const std::size_t column = pixels.find('X');
        if (column == std::string_view::npos) continue;
        return system_.surface().GetPixel(x + static_cast<int>(column), y + row) ==
               gfx::kSymbolOutline;
      }
    }
    return false;
  }

  MemoryFileSystem records_;
  MemoryFileSystem settings_;
  platform::HeadlessWindowSystem system_{platform::Size{612, 374}, 1, records_};
  std::optional<MainWindow> window_;
};

TEST_F(BallSymbolsOptionTest, WithoutAPlaceForUserDataItStartsOffAndIsForgotten) {
  Start(nullptr);
  EXPECT_FALSE(window().ball_symbols());
  EXPECT_FALSE(system_.menu_checked(514));
  EXPECT_FALSE(FirstBallShowsItsSymbol());

  window().OnCommand(514);
  EXPECT_TRUE(window().ball_symbols());
  EXPECT_TRUE(system_.menu_checked(514));
  EXPECT_TRUE(FirstBallShowsItsSymbol());  // drawn at once, not at the next paint
  system_.Paint();
  EXPECT_TRUE(FirstBallShowsItsSymbol());
  EXPECT_TRUE(records_.files.empty());  // nothing written beside the record file

  window().OnCommand(514);
  EXPECT_FALSE(system_.menu_checked(514));
  EXPECT_FALSE(FirstBallShowsItsSymbol());
}

TEST_F(BallSymbolsOptionTest, WhereUserDataIsKeptTheChoiceIsSavedAtOnceAndRestoredAtStart) {
  settings_.files[std::string(kSettingsFileName)] = BytesOf("ball-symbols=1\n");
  Start(&settings_);
  EXPECT_TRUE(window().ball_symbols());
  EXPECT_TRUE(system_.menu_checked(514));
  EXPECT_TRUE(FirstBallShowsItsSymbol());

  window().OnCommand(514);
  EXPECT_EQ(LoadSettings(settings_), Settings{.ball_symbols = false});
  window().OnCommand(514);
  EXPECT_EQ(LoadSettings(settings_), Settings{.ball_symbols = true});
}

TEST_F(BallSymbolsOptionTest, TheStatisticsWindowFollowsTheOption) {
  Start(nullptr);
  window().OnCommand(513);
  system_.ServePendingRepaints();
  ASSERT_NE(system_.stats_surface(), nullptr);
  // The green row's tile, at the top-left of its symbol's first outline pixel.
  const auto place = gfx::PlaceSymbol(game::kGreen, 0);
  const int x = place->offset.x + static_cast<int>(place->picture->rows[0].find('X'));
  const int y = 36 * game::kGreen + place->offset.y;
  const platform::Rgb plain = *system_.stats_surface()->GetPixel(x, y);
  EXPECT_NE(plain, gfx::kSymbolOutline);
  window().OnCommand(514);
  system_.ServePendingRepaints();
  EXPECT_EQ(system_.stats_surface()->GetPixel(x, y), gfx::kSymbolOutline);
}

}  // namespace
}  // namespace rolvi::shell
