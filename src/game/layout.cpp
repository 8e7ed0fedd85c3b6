#include "game/layout.h"

namespace rolvi::game {
namespace {

constexpr int kPreviewWidth = 108;
constexpr int kScoreBoxMargin = 96;  // box width 72 plus 24 pixels of margin
constexpr int kPillarFootWidth = 58;
constexpr int kFigureColumnHeight = 234;  // figure 100, pillar 125, foot plate 9

}  // namespace

void PlaceAroundBoard(Layout& layout, int client_right, int client_bottom) {
  const int side_margin = (client_right - kBoardFrameSide) / 2;
  const int pillar_inset = (side_margin - kPillarFootWidth) / 2;
  layout.score_box_origin = {client_right - kScoreBoxMargin, 10};
  layout.preview_origin = {(client_right - kPreviewWidth) / 2, 5};
  layout.king_base = {pillar_inset,
                      (client_bottom - kFigureColumnHeight) / 2 + kFigureColumnHeight};
  layout.player_base = {side_margin + kBoardFrameSide + pillar_inset, layout.king_base.y};
}

void ApplyClientSize(Layout& layout, int client_width, int client_height) {
  layout.board_origin = {(client_width - kBoardFrameSide) / 2, (client_height - 376) / 2 + 46};
  PlaceAroundBoard(layout, client_width, client_height);
}

}  // namespace rolvi::game
