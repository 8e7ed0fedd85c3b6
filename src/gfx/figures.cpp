#include "gfx/figures.h"

namespace rolvi::gfx {
namespace {

// GBK "玩  家" (Player) and three blanks, which take part in the centring.
constexpr std::string_view kPlayerLabel = "\xCD\xE6  \xBC\xD2   ";

void DrawPedestal(platform::Surface& target, const SpriteSheet& sheet, game::Point base, int offset,
                  std::string_view name) {
  DrawSprite(target, sheet, kPillarFootSprite, base.x, base.y - kPillarFootSprite.height);
  SpriteRect pillar = kPillarSprite;
  pillar.height = game::kLowestOffset - offset;
  DrawSprite(target, sheet, pillar, base.x + 6, base.y - 134 + offset);

  const platform::Rect plate{base.x - 16, base.y + 8, base.x + 74, base.y + 24};
  target.FillRect(plate, platform::kBlack);
  target.SetTextColour(platform::kWhite);
  target.SetBackgroundMode(platform::BackgroundMode::kTransparent);
  // The plate's own small font: a name of 13 capitals fits it, which the main font's
  // 8-pixel letters do not.
  const platform::Font previous = target.SelectFont(platform::Font::kNamePlate);
  target.DrawText(
      name, plate,
      {.align = platform::HorizontalAlign::kCentre, .vertical_centre = true, .single_line = true});
  target.SelectFont(previous);
}

}  // namespace

void DrawKing(platform::Surface& target, const SpriteSheet& sheet, game::Point base,
              const game::FigureState& figures, std::string_view king_name, bool full) {
  if (full) DrawPedestal(target, sheet, base, figures.kingOffset, king_name);
  DrawSprite(target, sheet, KingSprite(figures.kingFrame), base.x - 1,
             base.y - 234 + figures.kingOffset);
}

void DrawPlayer(platform::Surface& target, const SpriteSheet& sheet, game::Point base,
                const game::FigureState& figures, bool full, bool force_body) {
  const int offset = figures.playerOffset;
  if (full) DrawPedestal(target, sheet, base, offset, kPlayerLabel);
  if (figures.crownFrame == 0 || force_body) {
    DrawSprite(target, sheet, kPlayerSprite, base.x - 10, base.y - 234 + offset);
  }
  if (figures.crownFrame != 0) {
    DrawSprite(target, sheet, CrownSprite(figures.crownFrame), base.x - 10, base.y - 228 + offset);
  }
}

}  // namespace rolvi::gfx
