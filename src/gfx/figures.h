// Drawing the King and the Player beside the board: each on a pillar of variable height over
// a foot plate, with a name plate below, and the Player's crown overlay.
#pragma once

#include <string_view>

#include "game/game.h"
#include "game/view.h"
#include "gfx/sprite_sheet.h"
#include "platform/surface.h"

namespace rolvi::gfx {

// The foot plate, pillar and name plate are drawn only with FigureParts::kAll; the body
// always.
void DrawKing(platform::Surface& target, const SpriteSheet& sheet, platform::Point base,
              const game::FigureState& figures, std::string_view king_name,
              game::FigureParts parts);

// The body is drawn without a crown overlay, or when `body` says so; the overlay whenever the
// crown has begun to appear. `plate` is the Player's label (GBK), blanks included, which take
// part in the centring.
void DrawPlayer(platform::Surface& target, const SpriteSheet& sheet, platform::Point base,
                const game::FigureState& figures, std::string_view plate, game::FigureParts parts,
                game::BodyUnderCrown body);

}  // namespace rolvi::gfx
