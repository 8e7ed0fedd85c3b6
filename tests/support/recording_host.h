// A game front end for tests: records every drawing call, pause, beep and message box in
// order, keeps a virtual clock that pauses advance, and logs the record dialogs apart.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "game/game.h"
#include "game/view.h"
#include "support/fake_record_dialogs.h"
#include "support/program_assets.h"

namespace rolvi::testing {

struct DrawnCell {
  int column;
  int row;
  std::uint8_t code;
  int frame;
  friend bool operator==(const DrawnCell&, const DrawnCell&) = default;
};
struct Paused {
  int milliseconds;
  friend bool operator==(const Paused&, const Paused&) = default;
};
// An event that carries nothing but its kind.
template <int Kind>
struct Signal {
  friend bool operator==(const Signal&, const Signal&) = default;
};
using StatsRefresh = Signal<0>;
using BoardDrawn = Signal<1>;
using NextBallsDrawn = Signal<2>;
using Beeped = Signal<3>;
struct ScoreBoxDrawn {
  game::ScoreBox box;
  std::uint32_t value;
  friend bool operator==(const ScoreBoxDrawn&, const ScoreBoxDrawn&) = default;
};
struct KingDrawn {
  game::FigureParts parts;
  friend bool operator==(const KingDrawn&, const KingDrawn&) = default;
};
struct PlayerDrawn {
  game::FigureParts parts;
  friend bool operator==(const PlayerDrawn&, const PlayerDrawn&) = default;
};
struct MessageShown {
  std::string text;
  std::string caption;
  friend bool operator==(const MessageShown&, const MessageShown&) = default;
};

using HostEvent = std::variant<DrawnCell, Paused, StatsRefresh, BoardDrawn, NextBallsDrawn,
                               ScoreBoxDrawn, KingDrawn, PlayerDrawn, Beeped, MessageShown>;

// The game's whole front end in one object: its view, the system's pauses, beep and message
// boxes, and the record dialogs. It converts to the game::Frontend the game plays on.
class RecordingHost : public game::View, public platform::Feedback {
 public:
  operator game::Frontend() { return {*this, *this, dialogs, texts}; }

  void DrawCell(int column, int row, std::uint8_t code, int frame) override {
    Record<DrawnCell>(column, row, code, frame);
  }
  void DrawBoard() override { Record<BoardDrawn>(); }
  void DrawNextBalls() override { Record<NextBallsDrawn>(); }
  void DrawScoreBox(game::ScoreBox box, std::uint32_t value) override {
    Record<ScoreBoxDrawn>(box, value);
  }
  void DrawKing(game::FigureParts parts) override { Record<KingDrawn>(parts); }
  void DrawPlayer(game::FigureParts parts, game::BodyUnderCrown) override {
    Record<PlayerDrawn>(parts);
  }
  void Pause(int milliseconds) override {
    Record<Paused>(milliseconds);
    clock_ms += milliseconds;
  }
  bool Beep() override {
    Record<Beeped>();
    return beep_sounds;
  }
  void RequestStatsRefresh() override { Record<StatsRefresh>(); }
  void ShowMessageBox(std::string_view text, std::string_view caption,
                      platform::MessageIcon) override {
    Record<MessageShown>(std::string(text), std::string(caption));
  }

  // Made in place: GCC 12 wrongly warns that a moved temporary variant may be uninitialised.
  template <typename Event, typename... Args>
  void Record(Args&&... args) {
    events.emplace_back(std::in_place_type<Event>, std::forward<Args>(args)...);
  }

  template <typename Event>
  int Count() const {
    int count = 0;
    for (const HostEvent& event : events)
      count += std::holds_alternative<Event>(event) ? 1 : 0;
    return count;
  }

  std::vector<HostEvent> events;
  std::int64_t clock_ms = 0;
  FakeRecordDialogs dialogs;
  // The program's own texts.
  game::GameTexts texts = ProgramTexts().game;
  // False plays a front end without sound.
  bool beep_sounds = true;
};

// The first frame of a ball landing on the board.
inline bool IsDrop(const HostEvent& event) {
  const auto* cell = std::get_if<DrawnCell>(&event);
  return cell && cell->frame == 6;
}

}  // namespace rolvi::testing
