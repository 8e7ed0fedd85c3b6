#include "gfx/board_renderer.h"

#include <string_view>

#include "gfx/decimal.h"

namespace rolvi::gfx {
namespace {

using platform::HorizontalAlign;
using platform::Rect;
using platform::Rgb;
using platform::SystemColour;

constexpr int kPreviewSmallBallFrame = 6;
// The tiles start inside the board frame's one-pixel line and a one-pixel gap.
constexpr int kTileInset = 2;

// A score box: a raised bevel around its edge, a sunken one three pixels inside it, the black
// field within that, and the digits right-aligned in the field short of its last pixels.
constexpr int kSunkenInset = 3;
constexpr int kDigitsRightMargin = 8;

// The labels stand on the bar's text row, each kLabelGap pixels from the preview: the first
// right-aligned to its left, the second left-aligned to its right.
constexpr int kLabelTop = 14;
constexpr int kLabelBottom = 31;
constexpr int kLabelGap = 16;
constexpr int kNextGroupWidth = 63;
constexpr int kColoursWidth = 65;

// Dark text with a highlight-coloured copy one pixel below and to the right, etched into the
// bar: white text on the face grey would be too faint to read. The copy's rectangle grows by
// that pixel on the side the text is aligned to, so that it keeps the text's clipping.
void DrawEtchedLabel(platform::Surface& target, std::string_view text, const Rect& rect,
                     HorizontalAlign align, Rgb text_colour, Rgb highlight) {
  const bool left = align == HorizontalAlign::kLeft;
  const Rect copy{rect.left + (left ? 1 : 0), rect.top + 1, rect.right + (left ? 0 : 1),
                  rect.bottom};
  target.SetTextColour(highlight);
  target.DrawText(text, copy, {.align = align, .single_line = true});
  target.SetTextColour(text_colour);
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
  const int x = origin.x + kTileInset + kCellPitch * column;
  const int y = origin.y + kTileInset + kCellPitch * row;
  DrawSprite(target, sheet, CellTile(colour, frame), x, y);
  if (symbols == BallSymbols::kOn) DrawBallSymbol(target, colour, frame, x, y);
}

void DrawNextBalls(platform::Surface& target, const SpriteSheet& sheet, platform::Point origin,
                   const game::NextBalls& next, bool show_next, BallSymbols symbols) {
  for (int i = 0; i < kPreviewBalls; ++i) {
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
  const Rect outer{x, y, x + kScoreBoxSize.width - 1, y + kScoreBoxSize.height - 1};
  const Rect sunken{outer.left + kSunkenInset, outer.top + kSunkenInset, outer.right - kSunkenInset,
                    outer.bottom - kSunkenInset};
  // The field fills what the sunken bevel's left and top lines leave; its right and bottom
  // lines are drawn over the field's excluded edges.
  const Rect field{sunken.left + 1, sunken.top + 1, sunken.right, sunken.bottom};
  target.FillRect(field, platform::kBlack);
  const Rgb highlight = target.SystemColour(SystemColour::kHighlight);
  const Rgb shadow = target.SystemColour(SystemColour::kShadow);
  DrawBevel(target, outer.left, outer.right, outer.top, outer.bottom, highlight, shadow);
  DrawBevel(target, sunken.left, sunken.right, sunken.top, sunken.bottom, shadow, highlight);
  target.SetTextColour(platform::kWhite);
  target.SetBackgroundMode(platform::BackgroundMode::kTransparent);
  DecimalText digits;
  FormatDecimal(value, digits);
  target.DrawText(DecimalView(digits),
                  {field.left, field.top, field.right - kDigitsRightMargin, field.bottom},
                  {.align = HorizontalAlign::kRight, .single_line = true});
}

void DrawHeaderBar(platform::Surface& target, int client_width, int preview_x,
                   std::uint32_t record_score, const HeaderLabels& labels) {
  const Rgb face = target.SystemColour(SystemColour::kFace);
  const Rgb highlight = target.SystemColour(SystemColour::kHighlight);
  const Rgb shadow = target.SystemColour(SystemColour::kShadow);
  target.FillRect({0, 0, client_width, kHeaderBarHeight}, face);

  // Etched edges: shadow over highlight at the top, highlight over shadow at the bottom.
  const Rgb previous = target.SelectPen(shadow);
  DrawHorizontalLine(target, 0, client_width);
  target.SelectPen(highlight);
  DrawHorizontalLine(target, 1, client_width);
  target.SelectPen(shadow);
  DrawHorizontalLine(target, kHeaderBarHeight, client_width);
  target.SelectPen(highlight);
  DrawHorizontalLine(target, kHeaderBarHeight - 1, client_width);

  const Rgb text = target.SystemColour(SystemColour::kWindowText);
  target.SetBackgroundMode(platform::BackgroundMode::kTransparent);
  const int next_group_right = preview_x - kLabelGap;
  DrawEtchedLabel(target, labels.next_group,
                  {next_group_right - kNextGroupWidth, kLabelTop, next_group_right, kLabelBottom},
                  HorizontalAlign::kRight, text, highlight);
  const int colours_left = preview_x + kPreviewBalls * kTileSize + kLabelGap;
  DrawEtchedLabel(target, labels.colours,
                  {colours_left, kLabelTop, colours_left + kColoursWidth, kLabelBottom},
                  HorizontalAlign::kLeft, text, highlight);

  DrawScoreBox(target, kRecordBoxOrigin.x, kRecordBoxOrigin.y, record_score);
  target.SelectPen(previous);
}

}  // namespace rolvi::gfx
