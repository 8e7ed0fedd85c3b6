// autoplay [--seed N] [--dir DIR] [--until beaten|gameover|score:S] [--moves M] [--keys]
// Plays the headless game with a greedy player and prints the moves as replay script lines
// ("click COL ROW", or with --keys the keys of the board cursor, "key left" ... "key enter"),
// so that scripts for screenshots and bug reports need not be written by hand. Asked to stop at
// game over, it stops after the move that fills the board, so that the script ends with the
// game-over box.
#include <charconv>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "game/ball_supply.h"
#include "greedy/greedy_player.h"
#include "key_script.h"
#include "replay_session.h"

namespace {

enum class Goal { kMoves, kBeaten, kGameOver, kScore };

int Usage(std::ostream& out, int exit_code) {
  out << "usage: autoplay [--seed N] [--dir DIR] [--until beaten|gameover|score:S] [--moves M]\n"
         "                [--keys]\n"
         "  --seed N     the seed of the game, as replay takes it (default 1)\n"
         "  --dir DIR    where the record file lives (default the current directory)\n"
         "  --until      stop once the record is beaten, after the move that ends the game,\n"
         "               or once the score reaches S\n"
         "  --moves M    play at most M moves (default 200)\n"
         "  --keys       play by keys alone: each click as the board cursor's keys\n"
         "The moves are printed as replay script lines, each after a name answer.\n";
  return exit_code;
}

bool ParseNumber(std::string_view text, long long& number) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size() && number >= 0;
}

// A click on `cell` as script lines: the click itself, or the board cursor's keys.
std::vector<std::string> ClickLines(const rolvi::replay::ReplaySession& session,
                                    rolvi::game::CellRef cell, bool keys) {
  if (!keys) return {"click " + std::to_string(cell.column) + " " + std::to_string(cell.row)};
  std::vector<std::string> lines;
  for (const rolvi::platform::ClientKey key :
       rolvi::replay::KeysForClick(session.cursor(), session.game().turn, cell)) {
    lines.push_back("key " + std::string(rolvi::replay::NameOf(key)));
  }
  return lines;
}

}  // namespace

int main(int argc, char** argv) {
  rolvi::replay::SessionOptions options;
  Goal goal = Goal::kMoves;
  long long target = 0;
  long long moves = 200;
  bool keys = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view flag = argv[i];
    if (flag == "--help") return Usage(std::cout, 0);
    if (flag == "--keys") {
      keys = true;
      continue;
    }
    if (i + 1 == argc) return Usage(std::cerr, 2);  // every other flag takes a value
    const std::string_view value = argv[++i];
    long long number = 0;
    if (flag == "--seed" && ParseNumber(value, number) && number <= 0xFFFFFFFFLL) {
      options.seed = static_cast<std::uint32_t>(number);
    } else if (flag == "--dir") {
      options.directory = std::string(value);
    } else if (flag == "--moves" && ParseNumber(value, number)) {
      moves = number;
    } else if (flag == "--until" && value == "beaten") {
      goal = Goal::kBeaten;
    } else if (flag == "--until" && value == "gameover") {
      goal = Goal::kGameOver;
    } else if (flag == "--until" && value.starts_with("score:") &&
               ParseNumber(value.substr(6), target)) {
      goal = Goal::kScore;
    } else {
      return Usage(std::cerr, 2);
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
    // Whether the landing balls fill the board depends on the lines they make: the move is
    // played, and the game-over box, the only message box a valid name leaves, says so.
    const int boxes_before = session.message_boxes();
    std::cout << "name Autoplay\n";
    session.Run("name Autoplay");
    for (const rolvi::game::CellRef cell : {planned->from, planned->to}) {
      for (const std::string& line : ClickLines(session, cell, keys)) {
        std::cout << line << "\n";
        session.Run(line);
      }
    }
    if (goal == Goal::kGameOver && session.message_boxes() > boxes_before) break;
  }
  return 0;
}
