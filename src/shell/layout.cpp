#include "shell/layout.h"

#include "gfx/board_renderer.h"

namespace rolvi::shell {
namespace {

using gfx::kBoardFrameSide;
using gfx::kCellPitch;
using gfx::kRecordBoxOrigin;

constexpr int kPreviewWidth = gfx::kPreviewBalls * kCellPitch;
constexpr int kPreviewTop = 5;
constexpr int kScoreBoxTop = kRecordBoxOrigin.y;
// From the box's left edge to the client's right: the box and 24 pixels of margin, as wide as
// the record box's from the left.
constexpr int kScoreBoxMargin = gfx::kScoreBoxSize.width + kRecordBoxOrigin.x;
constexpr int kPillarFootWidth = 58;
constexpr int kFigureColumnHeight = 234;  // figure 100, pillar 125, foot plate 9
// The board is centred in the band from 46 pixels down (the header bar and 2 more) to
// 2 pixels above the bottom.
constexpr int kBoardBandTop = 46;
constexpr int kBoardBandBottomMargin = 2;

}  // namespace

void PlaceAroundBoard(Layout& layout, int client_right, int client_bottom) {
  const int side_margin = (client_right - kBoardFrameSide) / 2;
  const int pillar_inset = (side_margin - kPillarFootWidth) / 2;
  layout.score_box_origin = {client_right - kScoreBoxMargin, kScoreBoxTop};
  layout.preview_origin = {(client_right - kPreviewWidth) / 2, kPreviewTop};
  layout.king_base = {pillar_inset,
                      (client_bottom - kFigureColumnHeight) / 2 + kFigureColumnHeight};
  layout.player_base = {side_margin + kBoardFrameSide + pillar_inset, layout.king_base.y};
}

void ApplyClientSize(Layout& layout, int client_width, int client_height) {
  const int band = client_height - kBoardBandTop - kBoardBandBottomMargin;
  layout.board_origin = {(client_width - kBoardFrameSide) / 2,
                         (band - kBoardFrameSide) / 2 + kBoardBandTop};
  PlaceAroundBoard(layout, client_width, client_height);
}

std::optional<game::CellRef> CellAtPoint(Point board_origin, int x, int y) {
  const int dx = x - board_origin.x;
  const int dy = y - board_origin.y;
  if (dx < 0 || dy < 0) return std::nullopt;
  const int column = dx / kCellPitch;
  const int row = dy / kCellPitch;
  if (column >= game::kBoardSide || row >= game::kBoardSide) return std::nullopt;
  return game::CellRef{column, row};
}

Point CellCentre(Point board_origin, game::CellRef cell) {
  return {board_origin.x + kCellPitch * cell.column + kCellPitch / 2,
          board_origin.y + kCellPitch * cell.row + kCellPitch / 2};
}

}  // namespace rolvi::shell
