#include "shell/game_keeper.h"

#include <utility>

namespace rolvi::shell {
namespace {

// The game without the turn state: what a turn's end may have changed.
game::KeptGame WithoutTurnState(game::KeptGame kept) {
  kept.selection = game::SelectionState::kNone;
  kept.selectedCell = {};
  kept.frameCounter = 0;
  kept.pressCell = {};
  kept.pressMissed = false;
  return kept;
}

bool SamePosition(const game::KeptGame& a, const game::KeptGame& b) {
  return game::EncodeKeptGame(WithoutTurnState(a)) == game::EncodeKeptGame(WithoutTurnState(b));
}

}  // namespace

GameKeeper::GameKeeper(GameKeeping keeping) : keeping_(std::move(keeping)) {}

std::optional<game::KeptGame> GameKeeper::Read() {
  if (keeping_.files == nullptr) return std::nullopt;
  platform::FileHandle file = keeping_.files->OpenForReading(keeping_.name);
  if (!file) return std::nullopt;
  // One byte more than the format has, so that a longer file is seen as one.
  std::array<std::uint8_t, game::kKeptGameSize + 1> bytes{};
  std::size_t count = 0;
  while (count < bytes.size()) {
    const std::size_t read = file->Read(std::span(bytes).subspan(count));
    if (read == 0) break;
    count += read;
  }
  file->Close();
  if (count == 0) return std::nullopt;

  const game::DecodedKeptGame decoded = game::DecodeKeptGame(std::span(bytes).first(count));
  if (decoded.outcome != game::KeptGameRead::kRead) {
    if (keeping_.report) {
      keeping_.report("the kept game in " + keeping_.name + " cannot be read (" +
                      std::string(game::DescribeKeptGameRead(decoded.outcome)) +
                      "); a new game starts");
    }
    return std::nullopt;
  }
  settled_ = decoded.game;
  kept_ = game::EncodeKeptGame(decoded.game);
  return decoded.game;
}

void GameKeeper::Settled(const game::KeptGame& now) {
  const bool changed = !settled_ || !SamePosition(*settled_, now);
  settled_ = now;
  if (changed) Keep(now);
}

void GameKeeper::GameEnded() {
  settled_.reset();
  kept_.reset();
  if (keeping_.write && keeping_.files != nullptr) keeping_.files->Remove(keeping_.name);
}

void GameKeeper::SessionEnding(const game::KeptGame* now) {
  if (!settled_) return;  // the game ended; its file is gone
  Keep(now != nullptr ? *now : *settled_);
}

void GameKeeper::Keep(const game::KeptGame& kept) {
  if (!keeping_.write || keeping_.files == nullptr) return;
  const game::KeptGameImage image = game::EncodeKeptGame(kept);
  if (kept_ == image) return;
  if (keeping_.files->ReplaceAtomically(keeping_.name, image) == platform::FileError::kNone) {
    kept_ = image;
  }
}

}  // namespace rolvi::shell
