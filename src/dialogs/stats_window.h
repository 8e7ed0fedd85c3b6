// The statistics window: for the empty cells and each colour, how many cells hold it, their
// share of the board, and for the colours how many were removed in this game. It keeps no
// data of its own and places itself beside the board once, when it opens.
#pragma once

#include <functional>
#include <string_view>

#include "dialogs/fixed_text.h"
#include "game/game.h"
#include "gfx/ball_symbols.h"
#include "gfx/sprite_sheet.h"
#include "platform/dialog.h"
#include "platform/window_system.h"

namespace rolvi::dialogs {

using StatsRow = FixedText<64>;

// The text of one row: the count of cells holding `code`, its share of the board and, for
// the colours, the `removed_label` (GBK) and how many were removed; ten blanks cover what a
// longer earlier text left.
StatsRow StatsRowText(int code, std::int32_t count, std::uint32_t removed,
                      std::string_view removed_label);

// It opens beside the board, whose origin in the main window's client area `board_origin`
// follows; its balls carry their symbols as `symbols` says; `on_close` runs when the window
// closes itself with its close box.
class StatsWindow final : public platform::DialogHandler {
 public:
  StatsWindow(const game::Game& game, const gfx::SpriteSheet& sheet,
              const platform::WindowSystem& system, const platform::Point& board_origin,
              const gfx::BallSymbols& symbols, std::string_view removed_label,
              std::function<void()> on_close)
      : game_(game),
        sheet_(sheet),
        system_(system),
        board_origin_(board_origin),
        symbols_(symbols),
        removed_label_(removed_label),
        on_close_(std::move(on_close)) {}
  void OnInit(platform::DialogControls& dialog) override;
  void OnPaint(platform::DialogControls& dialog, platform::Surface& surface) override;
  bool OnClose(platform::DialogControls& dialog) override;

 private:
  const game::Game& game_;
  const gfx::SpriteSheet& sheet_;
  const platform::WindowSystem& system_;
  const platform::Point& board_origin_;
  const gfx::BallSymbols& symbols_;
  std::string_view removed_label_;
  std::function<void()> on_close_;
};

}  // namespace rolvi::dialogs
