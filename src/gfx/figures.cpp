#include "gfx/figures.h"

namespace rolvi::gfx {
namespace {

// A figure's column above its anchor (the foot plate's lower left corner): the 9-pixel foot
// plate, up to 125 pixels of pillar, the 100-pixel body; the name plate hangs below.
constexpr int kFootHeight = 9;
constexpr int kPillarInset = 6;
constexpr int kBodyHeight = 100;
constexpr int kKingBodyInset = -1;
constexpr int kPlayerBodyInset = -10;
constexpr int kCrownBelowBodyTop = 6;  // the overlay starts at the body's seventh row
constexpr platform::Rect kPlateFromAnchor{-16, 8, 74, 24};

// The top of the pillar, and of the body resting on it, for a figure `offset` pixels down.
int PillarTop(platform::Point base, int offset) {
  return base.y - kFootHeight - game::kLowestOffset + offset;
}
int BodyTop(platform::Point base, int offset) {
  return PillarTop(base, offset) - kBodyHeight;
}

void DrawPedestal(platform::Surface& target, const SpriteSheet& sheet, platform::Point base,
                  int offset, std::string_view name) {
  DrawSprite(target, sheet, kPillarFootSprite, base.x, base.y - kPillarFootSprite.height);
  SpriteRect pillar = kPillarSprite;
  pillar.height = game::kLowestOffset - offset;
  DrawSprite(target, sheet, pillar, base.x + kPillarInset, PillarTop(base, offset));

  const platform::Rect plate{base.x + kPlateFromAnchor.left, base.y + kPlateFromAnchor.top,
                             base.x + kPlateFromAnchor.right, base.y + kPlateFromAnchor.bottom};
  target.FillRect(plate, platform::kBlack);
  target.SetTextColour(platform::kWhite);
  target.SetBackgroundMode(platform::BackgroundMode::kTransparent);
  // The plate's own small font: a name of 13 capitals fits it, which the main font's
  // 8-pixel letters do not.
  const platform::Font previous = target.SelectFont(platform::Font::kNamePlate);
  // A name is shown as entered: "&" is one of its letters, not a mnemonic marker.
  target.DrawText(name, plate,
                  {.align = platform::HorizontalAlign::kCentre,
                   .vertical_centre = true,
                   .single_line = true,
                   .mnemonics = false});
  target.SelectFont(previous);
}

}  // namespace

void DrawKing(platform::Surface& target, const SpriteSheet& sheet, platform::Point base,
              const game::FigureState& figures, std::string_view king_name,
              game::FigureParts parts) {
  if (parts == game::FigureParts::kAll) {
    DrawPedestal(target, sheet, base, figures.kingOffset, king_name);
  }
  DrawSprite(target, sheet, KingSprite(figures.kingFrame), base.x + kKingBodyInset,
             BodyTop(base, figures.kingOffset));
}

void DrawPlayer(platform::Surface& target, const SpriteSheet& sheet, platform::Point base,
                const game::FigureState& figures, std::string_view plate, game::FigureParts parts,
                game::BodyUnderCrown body) {
  const int offset = figures.playerOffset;
  if (parts == game::FigureParts::kAll) DrawPedestal(target, sheet, base, offset, plate);
  if (figures.crownFrame == 0 || body == game::BodyUnderCrown::kDraw) {
    DrawSprite(target, sheet, kPlayerSprite, base.x + kPlayerBodyInset, BodyTop(base, offset));
  }
  if (figures.crownFrame != 0) {
    DrawSprite(target, sheet, CrownSprite(figures.crownFrame), base.x + kPlayerBodyInset,
               BodyTop(base, offset) + kCrownBelowBodyTop);
  }
}

}  // namespace rolvi::gfx
