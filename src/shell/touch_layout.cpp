#include "shell/touch_layout.h"

#include <algorithm>

#include "gfx/board_renderer.h"
#include "gfx/panel.h"
#include "platform/window_system.h"

namespace rolvi::shell {
namespace {

using gfx::kBoardFrameSide;
using gfx::kCellPitch;
using platform::kTouchTargetSide;
using platform::Rect;
using platform::Size;

// The figures: the column of figure, pillar and foot plate above the base, the name plate
// below it, and the foot plate, centred in each figure's column (the 90-pixel name plate
// reaches 16 pixels past it on either side).
constexpr int kFigureColumnHeight = 234;
constexpr int kPlateBottom = 24;
constexpr int kFigureBand = kFigureColumnHeight + kPlateBottom;
constexpr int kPillarFootWidth = 58;

constexpr Size kScoreBox{72, 24};
constexpr Size kPreview{3 * kCellPitch, kCellPitch};

// Portrait: a client from the board's cells (its frame cut off at the sides) to the board
// with a margin, as wide as cells of the least size allow; the figures' columns beside a
// middle panel of this width.
constexpr int kPortraitLeastWidth = 9 * kCellPitch;
constexpr int kPortraitWidth = kBoardFrameSide + 8;
constexpr int kMiddleWidth = 128;
constexpr int kBoardGapMost = 12;  // between the name plates and the board
constexpr int kPortraitLeastHeight = kFigureBand + kBoardFrameSide + 6;

// Landscape: the board between two columns, each a panel of two rows over a figure.
constexpr int kLandscapeHeight = kBoardFrameSide + 24;
constexpr int kMargin = 4;
constexpr int kPanelPadding = 6;
constexpr int kPanelHeight = 3 * kPanelPadding + kTouchTargetSide + kScoreBox.height;
constexpr int kLandscapeLeastWidth = kBoardFrameSide + 2 * (kPreview.width + 2 * kPanelPadding);

Rect Box(int x, int y, Size size) {
  return Rect{x, y, x + size.width, y + size.height};
}

// The left edge that centres `width` between `left` and `right`.
int Centred(int left, int right, int width) {
  return left + (right - left - width) / 2;
}

void Portrait(Layout& layout, TouchPlaces& places, int width, int height) {
  const int extra = height - kFigureBand - kBoardFrameSide;
  const int gap = std::clamp(extra / 3, 0, kBoardGapMost);
  const int top = (extra - gap) / 2;
  const int base_y = top + kFigureColumnHeight;
  const int column = (width - kMiddleWidth) / 2;
  const int inset = (column - kPillarFootWidth) / 2;
  layout.king_base = {inset, base_y};
  layout.player_base = {width - column + inset, base_y};
  layout.board_origin = {(width - kBoardFrameSide) / 2, top + kFigureBand + gap};

  // The middle panel, as high as the figures: the menu button, the record, the preview and the
  // score, spread evenly down it.
  const Rect panel{column + 2, top, width - column - 2, top + kFigureBand};
  const int content = kTouchTargetSide + 2 * kScoreBox.height + kPreview.height;
  const int step = std::max(0, kFigureBand - content) / 5;
  int y = top + (kFigureBand - content - 3 * step) / 2;
  places.menu_button = Box(Centred(panel.left, panel.right, kTouchTargetSide), y,
                           {kTouchTargetSide, kTouchTargetSide});
  y += kTouchTargetSide + step;
  places.record_box_origin = {Centred(panel.left, panel.right, kScoreBox.width), y};
  y += kScoreBox.height + step;
  layout.preview_origin = {Centred(panel.left, panel.right, kPreview.width), y};
  y += kPreview.height + step;
  layout.score_box_origin = {Centred(panel.left, panel.right, kScoreBox.width), y};
  places.panels = {panel, Rect{}};
}

void Landscape(Layout& layout, TouchPlaces& places, int width, int height) {
  const int top = (height - kLandscapeHeight) / 2;
  const int board_x = (width - kBoardFrameSide) / 2;
  const int right_column = board_x + kBoardFrameSide;
  layout.board_origin = {board_x, top + (kLandscapeHeight - kBoardFrameSide) / 2};
  const int base_y = top + kLandscapeHeight - kMargin - kPlateBottom;
  layout.king_base = {Centred(0, board_x, kPillarFootWidth), base_y};
  layout.player_base = {Centred(right_column, width, kPillarFootWidth), base_y};

  // Over each figure a panel of two rows: the menu button and the record on the left, the
  // preview and the score on the right, each box above its figure.
  const int panel_top = top + kMargin;
  const Rect left{kMargin, panel_top, board_x - kMargin, panel_top + kPanelHeight};
  const Rect right{right_column + kMargin, panel_top, width - kMargin, panel_top + kPanelHeight};
  const int row_one = panel_top + kPanelPadding;
  const int row_two = row_one + kTouchTargetSide + kPanelPadding;
  places.menu_button = Box(Centred(left.left, left.right, kTouchTargetSide), row_one,
                           {kTouchTargetSide, kTouchTargetSide});
  places.record_box_origin = {Centred(left.left, left.right, kScoreBox.width), row_two};
  layout.preview_origin = {Centred(right.left, right.right, kPreview.width),
                           row_one + (kTouchTargetSide - kPreview.height) / 2};
  layout.score_box_origin = {Centred(right.left, right.right, kScoreBox.width), row_two};
  places.panels = {left, right};
}

}  // namespace

Size TouchClientSize(Size screen_points) {
  const int w = std::clamp(screen_points.width, 1, platform::kMaxClientSide);
  const int h = std::clamp(screen_points.height, 1, platform::kMaxClientSide);
  if (h > w) {
    // The widest client up to the board with its margin whose cells still come out at least
    // kPortraitCellPoints; a screen too short for the whole game at that gets it smaller.
    const int width =
        std::clamp(w * kCellPitch / kPortraitCellPoints, kPortraitLeastWidth, kPortraitWidth);
    const int height = h * width / w;
    if (height >= kPortraitLeastHeight) return {width, height};
    return {w * kPortraitLeastHeight / h, kPortraitLeastHeight};
  }
  // A landscape screen is at least kLandscapeHeight points high on every phone, so that the
  // board as high as the client leaves cells of at least kLandscapeCellPoints.
  const int width = w * kLandscapeHeight / h;
  if (width >= kLandscapeLeastWidth) return {width, kLandscapeHeight};
  return {kLandscapeLeastWidth, h * kLandscapeLeastWidth / w};
}

void DrawTouchPanels(platform::Surface& target, const TouchPlaces& places,
                     std::uint32_t record_score) {
  for (const Rect& panel : places.panels)
    gfx::DrawPanel(target, panel);
  gfx::DrawScoreBox(target, places.record_box_origin.x, places.record_box_origin.y, record_score);
}

void ApplyTouchClientSize(Layout& layout, TouchPlaces& places, int client_width,
                          int client_height) {
  if (client_height > client_width) {
    Portrait(layout, places, client_width, client_height);
  } else {
    Landscape(layout, places, client_width, client_height);
  }
}

}  // namespace rolvi::shell
