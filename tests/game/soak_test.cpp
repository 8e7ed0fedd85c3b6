// Long headless runs: many seeded games played by a greedy player with noise clicks in
// between, checking after every turn what must always hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "game/lines.h"
#include "game/score_race.h"
#include "game/turn_flow.h"
#include "greedy/greedy_player.h"
#include "support/recording_host.h"

namespace rolvi::game {
namespace {

using testing::IsDrop;
using testing::MessageShown;
using testing::RecordingHost;

std::uint32_t TallySum(const RemovalTally& tally) {
  return std::accumulate(tally.removed.begin(), tally.removed.end(), 0u);
}

// No run of five or more of one colour may stand on the board between turns (line detection
// itself is lines_test's).
bool HasStandingLine(Board board) {
  for (int index = 0; index < kCellCount; ++index) {
    const CellCode colour = board.cells[index];
    if (colour != kEmpty && DetectLines(board, index % 9, index / 9, colour) > 0) return true;
  }
  return false;
}

class Soak {
 public:
  explicit Soak(std::uint32_t seed) : noise_(seed * 7919u + 1) {
    SeedRandom(game_.supply.random, seed);
    SetUpNewGame(game_, host_);
  }

  void Click(CellRef cell) {
    Press(game_, cell);
    Release(game_, host_, cell);
  }

  // Clicks that must not move anything: presses and releases on different cells, presses
  // outside the board, ticks, and re-selections of balls.
  void NoiseClicks() {
    for (int i = Noise(3); i > 0; --i) {
      switch (Noise(4)) {
        case 0:
          Press(game_, std::nullopt);  // beside the board
          Release(game_, host_, CellRef{1, 1});
          break;
        case 1:
          Press(game_, CellRef{0, 0});
          Release(game_, host_, CellRef{8, 0});
          break;
        case 2:
          for (int tick = Noise(8); tick > 0; --tick)
            Tick(game_, host_);
          break;
        default: {
          const int index = Noise(kCellCount);
          if (game_.supply.board.cells[index] != kEmpty) Click({index % 9, index / 9});
          break;
        }
      }
    }
  }

  // One turn: noise, then the greedy player's move. Returns false when no move is left.
  bool Turn() {
    NoiseClicks();
    const std::optional<greedy::PlannedMove> move = greedy::ChooseMove(game_.supply.board, noise_);
    if (!move) return false;
    const int empty_before = CountEmptyCells(game_.supply.board);
    const std::uint32_t tally_before = TallySum(game_.supply.tally);
    host_.events.clear();

    Click(move->from);
    Click(move->to);

    if (host_.Count<MessageShown>() > 0) {  // the game ended and a new one began
      expected_score_ = 0;
      ++games;
      return true;
    }
    const int drops =
        static_cast<int>(std::count_if(host_.events.begin(), host_.events.end(), IsDrop));
    if (move->line_sum > 0) {
      expected_score_ += static_cast<std::int32_t>(LineScore(move->line_sum));
      EXPECT_EQ(drops, 0);
      ++scoring_moves;
    }
    EXPECT_EQ(game_.score.score, expected_score_);
    EXPECT_EQ(
        TallySum(game_.supply.tally) - tally_before,
        static_cast<std::uint32_t>(drops + CountEmptyCells(game_.supply.board) - empty_before));
    return true;
  }

  void CheckInvariants() const {
    for (const CellCode code : game_.supply.board.cells)
      ASSERT_LE(code, kLastColour);
    EXPECT_FALSE(HasStandingLine(game_.supply.board));
    const FigureState& figures = game_.figures;
    for (const std::int32_t offset : {figures.kingOffset, figures.playerOffset}) {
      EXPECT_GE(offset, 0);
      EXPECT_LE(offset, kLowestOffset);
    }
    EXPECT_LE(figures.kingFrame, kDethronedFrame);
    EXPECT_LE(figures.crownFrame, kCrownedFrame);
    EXPECT_EQ(game_.turn.selection, SelectionState::kNone);
  }

  // What the run went through: games ended and moves that scored.
  int games = 0;
  int scoring_moves = 0;

 private:
  int Noise(int below) {
    return static_cast<int>((noise_ = noise_ * 1103515245u + 12345u) >> 16) % below;
  }

  Game game_;
  RecordingHost host_;
  std::uint32_t noise_;
  std::int32_t expected_score_ = 0;
};

TEST(SoakTest, ManySeededGamesKeepEveryInvariant) {
  int games = 0;
  int scoring_moves = 0;
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    Soak soak(seed);
    for (int turn = 0; turn < 250 && soak.Turn(); ++turn) {
      soak.CheckInvariants();
      if (::testing::Test::HasFailure()) return;
    }
    games += soak.games;
    scoring_moves += soak.scoring_moves;
  }
  // The run must have exercised what it checks.
  EXPECT_GT(games, 10) << "games ended: " << games;
  EXPECT_GT(scoring_moves, 500) << "scoring moves: " << scoring_moves;
}

}  // namespace
}  // namespace rolvi::game
