// The whole state of the running game in one plain struct: the position and ball supply, the
// move path, the selection and last press, the score and the figures of the race, and the
// record book. One instance lives as long as the main window.
#pragma once

#include <cstdint>

#include "game/ball_supply.h"
#include "game/path_finder.h"
#include "records/record_book.h"

namespace rolvi::game {

enum class SelectionState : std::int32_t { kNone = 0, kSelected = 1 };

struct TurnState {
  SelectionState selection = SelectionState::kNone;
  CellRef selectedCell;
  // Advanced by every timer tick; the jumping ball shows frame frameCounter mod 6. Unsigned, so
  // that it wraps instead of overflowing after years of ticks.
  std::uint32_t frameCounter = 0;
  CellRef pressCell;
  bool pressMissed = false;
  CellCode moveCode = kEmpty;
};

// The score of the current game. The King's score, recordScore, lives in the record book.
struct ScoreState {
  std::int32_t score = 0;
  bool recordBeaten = false;
};

// Offsets are pixels below the figure's highest place: 0 on top of a full pillar, 125 down
// on the foot plate.
inline constexpr std::int32_t kLowestOffset = 125;
inline constexpr std::uint8_t kDethronedFrame = 6;
inline constexpr std::uint8_t kCrownedFrame = 6;

struct FigureState {
  std::int32_t kingOffset = 0;
  std::uint8_t kingFrame = 0;
  std::int32_t playerOffset = kLowestOffset;
  std::uint8_t crownFrame = 0;
  friend bool operator==(const FigureState&, const FigureState&) = default;
};

struct Game {
  BallSupply supply;
  MovePath path;
  TurnState turn;
  ScoreState score;
  FigureState figures;
  records::RecordBook records;
};

}  // namespace rolvi::game
