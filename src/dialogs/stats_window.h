// The statistics window: for the empty cells and each colour, how many cells hold it, their
// share of the board, and for the colours how many were removed in this game. It keeps no
// data of its own and places itself beside the board once, when it opens.
#pragma once

#include "dialogs/fixed_text.h"
#include "game/game.h"
#include "gfx/sprite_sheet.h"
#include "platform/dialog.h"
#include "platform/window_system.h"

namespace rolvi::dialogs {

inline constexpr int kStatsCommand = 513;

using StatsRow = FixedText<64>;

// The text of one row: the count of cells holding `code`, its share of the board and, for
// the colours, how many were removed; ten blanks cover what a longer earlier text left.
StatsRow StatsRowText(int code, std::int32_t count, std::uint32_t removed);

class StatsWindow final : public platform::DialogHandler {
 public:
  StatsWindow(game::Game& game, const gfx::SpriteSheet& sheet, platform::WindowSystem& system)
      : game_(game), sheet_(sheet), system_(system) {}
  void OnInit(platform::DialogControls& dialog) override;
  void OnPaint(platform::DialogControls& dialog, platform::Surface& surface) override;
  bool OnClose(platform::DialogControls& dialog) override;

 private:
  game::Game& game_;
  const gfx::SpriteSheet& sheet_;
  platform::WindowSystem& system_;
};

}  // namespace rolvi::dialogs
