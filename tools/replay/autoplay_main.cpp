// autoplay [--seed N] [--dir DIR] [--until beaten|gameover|score:S] [--moves M]
// Plays the headless game with a greedy player and prints the moves as replay script lines
// ("click COL ROW"), so that scripts for screenshots and bug reports need not be written by
// hand. It stops before the move that would end the game when asked to stop at game over.
#include <charconv>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include "game/ball_supply.h"
#include "greedy/greedy_player.h"
#include "replay_session.h"

namespace {

enum class Goal { kMoves, kBeaten, kGameOver, kScore };

}  // namespace

int main(int argc, char** argv) {
  rolvi::replay::SessionOptions options;
  Goal goal = Goal::kMoves;
  long long target = 0;
  long long moves = 200;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string_view flag = argv[i];
    const std::string_view value = argv[i + 1];
    long long number = 0;
    const bool numeric =
        std::from_chars(value.data(), value.data() + value.size(), number).ec == std::errc();
    if (flag == "--seed" && numeric) {
      options.seed = static_cast<std::uint32_t>(number);
    } else if (flag == "--dir") {
      options.directory = std::string(value);
    } else if (flag == "--moves" && numeric) {
      moves = number;
    } else if (flag == "--until" && value == "beaten") {
      goal = Goal::kBeaten;
    } else if (flag == "--until" && value == "gameover") {
      goal = Goal::kGameOver;
    } else if (flag == "--until" && value.starts_with("score:")) {
      goal = Goal::kScore;
      std::from_chars(value.data() + 6, value.data() + value.size(), target);
    } else {
      std::cerr << "usage: autoplay [--seed N] [--dir DIR] [--until beaten|gameover|score:S] "
                   "[--moves M]\n";
      return 2;
    }
  }

  std::ostringstream ignored;
  rolvi::replay::ReplaySession session(options, ignored);
  std::uint32_t choice_seed = options.seed;
  for (long long move = 0; move < moves; ++move) {
    const rolvi::game::Game& game = session.game();
    if (goal == Goal::kBeaten && game.score.recordBeaten) break;
    if (goal == Goal::kScore && game.score.score >= target) break;
    const auto planned = rolvi::greedy::ChooseMove(game.supply.board, choice_seed);
    if (!planned) break;
    // A move that completes nothing lands three balls; on the last cells that ends the game.
    const bool last_move = planned->line_sum == 0 &&
                           rolvi::game::CountEmptyCells(game.supply.board) <= 4 &&
                           goal == Goal::kGameOver;
    const std::string from =
        "click " + std::to_string(planned->from.column) + " " + std::to_string(planned->from.row);
    const std::string to =
        "click " + std::to_string(planned->to.column) + " " + std::to_string(planned->to.row);
    std::cout << "name Autoplay\n" << from << "\n" << to << "\n";
    if (last_move) break;
    session.Run("name Autoplay");
    session.Run(from);
    session.Run(to);
  }
  return 0;
}
