#include "gfx/board_renderer.h"

#include <string_view>

#include "gfx/decimal.h"

namespace rolvi::gfx {
namespace {

using platform::HorizontalAlign;
using platform::Rect;
using platform::Rgb;
using platform::SystemColour;

// GBK "下组" (next group) and "颜色" (colours) with two blanks.
constexpr std::string_view kNextGroupLabel = "\xCF\xC2\xD7\xE9";
constexpr std::string_view kColoursLabel = "\xD1\xD5\xC9\xAB  ";

constexpr int kPreviewSmallBallFrame = 6;

void DrawLabelText(platform::Surface& target, std::string_view text, const Rect& rect,
                   HorizontalAlign align, Rgb colour) {
  target.SetTextColour(colour);
  target.DrawText(text, rect, {.align = align, .single_line = true});
}

void DrawHorizontalLine(platform::Surface& target, int y, int client_width) {
  target.MoveTo(0, y);
  target.LineTo(client_width + 1, y);
}

}  // namespace

void DrawBoard(platform::Surface& target, const SpriteSheet& sheet, platform::Point origin,
               const game::Board& board, BallSymbols symbols) {
  const int x = origin.x;
  const int y = origin.y;
  const int far = kBoardFrameSide - 1;
  const Rgb previous = target.SelectPen(kFrameGrey);
  target.MoveTo(x, y + far);
  target.LineTo(x + far, y + far);
  target.LineTo(x + far, y);
  target.SelectPen(platform::kWhite);
  target.LineTo(x, y);
  target.LineTo(x, y + far + 1);
  target.SelectPen(previous);

  for (int row = 0; row < game::kBoardSide; ++row) {
    for (int column = 0; column < game::kBoardSide; ++column) {
      DrawCell(target, sheet, origin, column, row, board.at(column, row), 0, symbols);
    }
  }
}

void DrawCell(platform::Surface& target, const SpriteSheet& sheet, platform::Point origin,
              int column, int row, game::CellCode code, int frame, BallSymbols symbols) {
  const int colour = code & game::kColourMask;
  const int x = origin.x + 2 + kCellPitch * column;
  const int y = origin.y + 2 + kCellPitch * row;
  DrawSprite(target, sheet, CellTile(colour, frame), x, y);
  if (symbols == BallSymbols::kOn) DrawBallSymbol(target, colour, frame, x, y);
}

void DrawNextBalls(platform::Surface& target, const SpriteSheet& sheet, platform::Point origin,
                   const game::NextBalls& next, bool show_next, BallSymbols symbols) {
  for (int i = 0; i < 3; ++i) {
    const SpriteRect tile =
        show_next ? CellTile(next.colours[i], kPreviewSmallBallFrame) : CellTile(game::kEmpty, 0);
    const int x = origin.x + kTileSize * i;
    DrawSprite(target, sheet, tile, x, origin.y);
    if (show_next && symbols == BallSymbols::kOn) {
      DrawBallSymbol(target, next.colours[i], kPreviewSmallBallFrame, x, origin.y);
    }
  }
}

void DrawBevel(platform::Surface& target, int left, int right, int top, int bottom, Rgb first,
               Rgb second) {
  const Rgb previous = target.SelectPen(first);
  target.MoveTo(left, bottom);
  target.LineTo(left, top);
  target.LineTo(right, top);
  target.SelectPen(second);
  target.MoveTo(left + 1, bottom);
  target.LineTo(right, bottom);
  target.LineTo(right, top);
  target.SelectPen(previous);
}

void DrawScoreBox(platform::Surface& target, int x, int y, std::uint32_t value) {
  target.FillRect({x + 4, y + 4, x + 68, y + 20}, platform::kBlack);
  const Rgb highlight = target.SystemColour(SystemColour::kHighlight);
  const Rgb shadow = target.SystemColour(SystemColour::kShadow);
  DrawBevel(target, x, x + 71, y, y + 23, highlight, shadow);
  DrawBevel(target, x + 3, x + 68, y + 3, y + 20, shadow, highlight);
  target.SetTextColour(platform::kWhite);
  target.SetBackgroundMode(platform::BackgroundMode::kTransparent);
  DecimalText digits;
  FormatDecimal(value, digits);
  target.DrawText(DecimalView(digits), {x + 4, y + 4, x + 60, y + 20},
                  {.align = HorizontalAlign::kRight, .single_line = true});
}

void DrawHeaderBar(platform::Surface& target, int client_width, int preview_x,
                   std::uint32_t record_score) {
  const Rgb face = target.SystemColour(SystemColour::kFace);
  const Rgb highlight = target.SystemColour(SystemColour::kHighlight);
  const Rgb shadow = target.SystemColour(SystemColour::kShadow);
  target.FillRect({0, 0, client_width, kHeaderBarHeight}, face);

  const Rgb previous = target.SelectPen(shadow);
  DrawHorizontalLine(target, 0, client_width);
  target.SelectPen(highlight);
  DrawHorizontalLine(target, 1, client_width);
  target.SelectPen(shadow);
  DrawHorizontalLine(target, 43, client_width);
  target.SelectPen(highlight);
  DrawHorizontalLine(target, 42, client_width);

  // Each label is dark text with a highlight-coloured copy one pixel below and to the right,
  // etched into the bar: white text on the face grey would be too faint to read.
  const Rgb text = target.SystemColour(SystemColour::kWindowText);
  target.SetBackgroundMode(platform::BackgroundMode::kTransparent);
  const int px = preview_x;
  DrawLabelText(target, kNextGroupLabel, {px - 79, 15, px - 15, 31}, HorizontalAlign::kRight,
                highlight);
  DrawLabelText(target, kNextGroupLabel, {px - 79, 14, px - 16, 31}, HorizontalAlign::kRight, text);
  DrawLabelText(target, kColoursLabel, {px + 125, 15, px + 189, 31}, HorizontalAlign::kLeft,
                highlight);
  DrawLabelText(target, kColoursLabel, {px + 124, 14, px + 189, 31}, HorizontalAlign::kLeft, text);

  DrawScoreBox(target, kRecordBoxOrigin.x, kRecordBoxOrigin.y, record_score);
  target.SelectPen(previous);
}

}  // namespace rolvi::gfx
