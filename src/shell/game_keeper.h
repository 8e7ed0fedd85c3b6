// Keeping the game in progress between runs: the kept game is read at start, written when a
// turn has changed the game and when the session ends, and removed when the game ends. A
// session that ends while a turn is played (its animations, the game-over box, the name
// dialog) keeps the state before that turn.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "game/kept_game.h"
#include "platform/file_system.h"

namespace rolvi::shell {

// Beside the record file.
inline constexpr std::string_view kKeptGameFileName = "rolvi.game";

struct GameKeeping {
  platform::FileSystem* files = nullptr;
  std::string name{kKeptGameFileName};
  // False: a kept game is only read, never written or removed (the replay driver's --resume).
  bool write = true;
  // Told, in one line, about a kept game that cannot be read.
  std::function<void(std::string_view)> report;
};

class GameKeeper {
 public:
  explicit GameKeeper(GameKeeping keeping);

  // The kept game, when there is one that can be read; one that cannot is reported and a new
  // game starts. An empty file is no kept game.
  std::optional<game::KeptGame> Read();

  // A handler ended with no turn under way: `now` is what a session that ends during the next
  // turn keeps. It is written at once when more than the turn state (selection, last press,
  // frame counter) changed: after a move, a new game, a switch of the preview.
  void Settled(const game::KeptGame& now);
  // The board is full or the game was abandoned: it is not kept, and its file goes at once.
  void GameEnded();
  // The session ends: `now` is kept, or, where a turn is still being played (null), the
  // state at the last turn's end; nothing when the game has ended.
  void SessionEnding(const game::KeptGame* now);

 private:
  void Keep(const game::KeptGame& kept);

  GameKeeping keeping_;
  // The state when the last handler outside a turn ended; empty once the game has ended.
  std::optional<game::KeptGame> settled_;
  // What the file holds as this program last wrote or read it.
  std::optional<game::KeptGameImage> kept_;
};

}  // namespace rolvi::shell
