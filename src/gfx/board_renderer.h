// Drawing the static picture of the game: the board frame and its tiles, single cells in any
// animation frame, the preview of the next balls, the score boxes and the header bar.
#pragma once

#include <cstdint>
#include <string_view>

#include "game/ball_supply.h"
#include "game/board.h"
#include "gfx/ball_symbols.h"
#include "gfx/sprite_sheet.h"
#include "platform/surface.h"

namespace rolvi::gfx {

inline constexpr platform::Rgb kFrameGrey{85, 85, 85};
// The side of the board frame in pixels, and the pitch of its cells.
inline constexpr int kBoardFrameSide = 328;
inline constexpr int kCellPitch = 36;
// The preview shows three small balls in cell tiles side by side.
inline constexpr int kPreviewBalls = 3;
// A score box's outer size. The record score box, part of the header bar, stands at a fixed
// point of the client area.
inline constexpr platform::Size kScoreBoxSize{72, 24};
inline constexpr platform::Point kRecordBoxOrigin{24, 10};
// The bar's face; its etched bottom edge lies on this row and the next.
inline constexpr int kHeaderBarHeight = 43;

// The header bar's labels, left and right of the preview (GBK).
struct HeaderLabels {
  std::string_view next_group;
  std::string_view colours;
};

// With `symbols` on, every ball carries its colour's symbol.
void DrawBoard(platform::Surface& target, const SpriteSheet& sheet, platform::Point origin,
               const game::Board& board, BallSymbols symbols = BallSymbols::kOff);

// The cell in `code`'s colour (the removal mark ignored) in frame `frame`.
void DrawCell(platform::Surface& target, const SpriteSheet& sheet, platform::Point origin,
              int column, int row, game::CellCode code, int frame,
              BallSymbols symbols = BallSymbols::kOff);

// The three small balls of `next`, or three empty tiles when the preview is switched off.
void DrawNextBalls(platform::Surface& target, const SpriteSheet& sheet, platform::Point origin,
                   const game::NextBalls& next, bool show_next,
                   BallSymbols symbols = BallSymbols::kOff);

// A rectangle outline: `first` on the left and top, `second` on the bottom and right; the
// top-right corner pixel is left alone.
void DrawBevel(platform::Surface& target, int left, int right, int top, int bottom,
               platform::Rgb first, platform::Rgb second);

// A 72 by 24 raised box with a sunken black field showing `value`.
void DrawScoreBox(platform::Surface& target, int x, int y, std::uint32_t value);

// The bar across the top of the client area with its two labels around the preview and the
// record score box.
void DrawHeaderBar(platform::Surface& target, int client_width, int preview_x,
                   std::uint32_t record_score, const HeaderLabels& labels);

}  // namespace rolvi::gfx
