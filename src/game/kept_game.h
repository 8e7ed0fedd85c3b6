// The game in progress as it is kept between runs: what a next start needs to continue it
// exactly (position, supply, random state, score, race, turn state, preview setting), and its
// file of 184 bytes with a magic, a version and a checksum. The reader trusts nothing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "game/game.h"

namespace rolvi::game {

struct KeptGame {
  BallSupply supply;
  ScoreState score;
  FigureState figures;
  // The King as this game races him; the record table may have changed meanwhile.
  std::int32_t recordScore = 0;
  records::NameBuffer kingName{};
  records::NameBuffer lastName{};
  SelectionState selection = SelectionState::kNone;
  CellRef selectedCell;
  std::uint32_t frameCounter = 0;
  CellRef pressCell;
  bool pressMissed = false;
  bool showNext = true;
};

// The state to keep of `game`; `showNext` is the preview setting, which the shell owns.
KeptGame CaptureGame(const Game& game, bool showNext);
// Puts a kept game back into `game`: everything CaptureGame took but the preview setting. The
// record table and the move path are left as they are.
void ResumeGame(Game& game, const KeptGame& kept);

inline constexpr std::size_t kKeptGameSize = 184;
inline constexpr std::uint16_t kKeptGameVersion = 1;
// The race's arithmetic stays within 32 bits below this score (score times 125).
inline constexpr std::int32_t kMaxKeptScore = 17'179'869;

using KeptGameImage = std::array<std::uint8_t, kKeptGameSize>;

KeptGameImage EncodeKeptGame(const KeptGame& kept);

enum class KeptGameRead {
  kRead,
  kShort,         // fewer bytes than the format has
  kNotAKeptGame,  // another kind of file: the magic or the version number is wrong
  kNewerVersion,  // written by a later version of the program
  kDamaged,       // the checksum or the recorded length does not match
  kOutOfRange,    // a cell, colour, score, figure or name that no game can have
};

struct DecodedKeptGame {
  KeptGameRead outcome = KeptGameRead::kShort;
  KeptGame game;  // meaningful only when outcome is kRead
};

DecodedKeptGame DecodeKeptGame(std::span<const std::uint8_t> bytes);

// Why a kept game could not be read, in a few words for a line on standard error.
std::string_view DescribeKeptGameRead(KeptGameRead outcome);

}  // namespace rolvi::game
