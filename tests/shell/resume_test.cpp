// A game continued at the next start plays on exactly as if the program had never stopped:
// for 50 seeds the greedy player plays N turns, the program ends (records saved, game kept),
// a fresh main window starts on the same files, and M more turns follow; after every one of
// them the state and the picture equal those of N + M turns played without a break. Pictures
// are compared as a whole paint shows them: the program that kept running still shows the
// last moved ball in its last jump frame until its cell is drawn again, where a fresh start
// paints every ball at rest.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "greedy/greedy_player.h"
#include "platform/headless/headless_window_system.h"
#include "platform/memory_file_system.h"
#include "shell/game_keeper.h"
#include "shell/main_window.h"
#include "support/program_assets.h"

namespace rolvi::shell {
namespace {

// One start of the program, keeping its game and records in `files`.
class Program {
 public:
  Program(platform::FileSystem& files, std::uint32_t seed)
      : system_(platform::Size{612, 374}, seed, files),
        window_(system_, testing::ProgramAssets(), RecordSaving::kWhenAResultEnters) {
    system_.Attach(window_);
    window_.KeepGame({&files, std::string(kKeptGameFileName), true,
                      [](std::string_view line) { ADD_FAILURE() << line; }});
    system_.Create();
    system_.Resize(612, 374);
  }

  // One turn of the greedy player: the ball is selected and jumps a while before it moves.
  // Every twelfth turn the preview is switched. False when no move is left.
  bool Turn(std::uint32_t& choice, int turn) {
    const auto move = greedy::ChooseMove(window_.game().supply.board, choice);
    if (!move) return false;
    if (system_.name_answers().empty()) system_.name_answers().push_back("Greedy");
    if (turn % 12 == 11) window_.OnCommand(512);
    Click(move->from);
    for (int tick = turn % 4; tick > 0; --tick)
      window_.OnTimer();
    window_.OnSkippedTicks(static_cast<std::uint32_t>(turn % 3));
    Click(move->to);
    return true;
  }

  // Everything the game shows or remembers, as text, and the picture after a whole paint.
  std::string Dump() const {
    const game::Game& game = window_.game();
    std::ostringstream text;
    for (const game::CellCode cell : game.supply.board.cells)
      text << int{cell};
    text << "\nnext";
    for (const game::CellCode colour : game.supply.next.colours)
      text << " " << int{colour};
    text << "\nrandom " << game.supply.random.state << "\ntally";
    for (const std::uint32_t removed : game.supply.tally.removed)
      text << " " << removed;
    text << "\nscore " << game.score.score << " beaten " << game.score.recordBeaten << "\nrecord "
         << game.records.recordScore << " " << records::NameText(game.records.kingName) << "\nlast "
         << records::NameText(game.records.lastName) << "\nfigures " << game.figures.kingOffset
         << " " << int{game.figures.kingFrame} << " " << game.figures.playerOffset << " "
         << int{game.figures.crownFrame} << "\nturn " << static_cast<int>(game.turn.selection)
         << " " << game.turn.frameCounter << " " << game.turn.pressCell.column
         << game.turn.pressCell.row << game.turn.pressMissed << "\npreview " << window_.show_next()
         << "\ntable";
    for (const records::RecordEntry& entry : game.records.table)
      text << " " << records::NameText(entry.name) << ":" << entry.score;
    return text.str();
  }
  std::vector<std::uint32_t> Picture() {
    system_.Paint();
    const auto pixels = system_.surface().pixels();
    return {pixels.begin(), pixels.end()};
  }
  const game::Game& game() const { return window_.game(); }
  void End() { system_.Destroy(); }

 private:
  void Click(game::CellRef cell) {
    const platform::Point centre = CellCentre(window_.layout().board_origin, cell);
    window_.OnMouseDown(centre.x, centre.y);
    window_.OnMouseUp(centre.x, centre.y);
  }

  platform::HeadlessWindowSystem system_;
  MainWindow window_;
};

struct Measured {
  int games_ended = 0;     // cuts with a game over before them
  int records_beaten = 0;  // cuts in a game that has beaten the record
  int handed_over = 0;     // cuts after the record passed to a new King
  int turns = 0;
};

TEST(ResumeTest, AKeptGameContinuesExactlyAsIfTheProgramHadNeverStopped) {
  Measured measured;
  for (std::uint32_t seed = 1; seed <= 50; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    // Every tenth seed plays long enough for records to be beaten and handed over.
    const int before_cut = seed % 10 == 0 ? 150 + static_cast<int>(seed) : 3 + (seed * 7) % 60;
    const int after_cut = 25;

    platform::MemoryFileSystem whole_files;
    Program whole(whole_files, seed);
    std::uint32_t whole_choice = seed;

    platform::MemoryFileSystem cut_files;
    auto first = std::make_unique<Program>(cut_files, seed);
    std::uint32_t cut_choice = seed;
    int turn = 0;
    for (; turn < before_cut; ++turn) {
      const bool moved = whole.Turn(whole_choice, turn);
      ASSERT_EQ(first->Turn(cut_choice, turn), moved);
      if (!moved) break;
    }
    const std::int32_t king_before = first->game().records.recordScore;
    measured.records_beaten += first->game().score.recordBeaten ? 1 : 0;
    measured.games_ended += first->game().records.recordsDirty ? 1 : 0;
    measured.handed_over += king_before != records::kKingScore ? 1 : 0;
    first->End();
    first.reset();
    // Another tick count at the next start: the kept random state must win.
    Program second(cut_files, seed + 1000);
    ASSERT_EQ(second.Dump(), whole.Dump()) << "right after the start, turn " << turn;
    ASSERT_EQ(second.Picture(), whole.Picture()) << "right after the start, turn " << turn;
    EXPECT_EQ(second.game().records.recordScore, king_before);

    for (int more = 0; more < after_cut; ++more, ++turn) {
      const bool moved = whole.Turn(whole_choice, turn);
      ASSERT_EQ(second.Turn(cut_choice, turn), moved);
      if (!moved) break;
      ASSERT_EQ(second.Dump(), whole.Dump()) << "turn " << turn;
      ASSERT_EQ(second.Picture(), whole.Picture()) << "turn " << turn;
    }
    measured.turns += turn;
  }
  // The cuts fall in every kind of moment the seeds lead to.
  EXPECT_GE(measured.games_ended, 10);
  EXPECT_GE(measured.records_beaten, 1);
  EXPECT_GE(measured.handed_over, 1);
  RecordProperty("turns", measured.turns);
  RecordProperty("cuts_after_a_game_over", measured.games_ended);
  RecordProperty("cuts_with_the_record_beaten", measured.records_beaten);
  RecordProperty("cuts_after_a_hand_over", measured.handed_over);
}

}  // namespace
}  // namespace rolvi::shell
