// Drawing the King and the Player beside the board: each on a pillar of variable height over
// a foot plate, with a name plate below, and the Player's crown overlay.
#pragma once

#include <string_view>

#include "game/game.h"
#include "gfx/sprite_sheet.h"
#include "platform/surface.h"

namespace rolvi::gfx {

// The foot plate, pillar and name plate are drawn only when `full`; the body always.
void DrawKing(platform::Surface& target, const SpriteSheet& sheet, game::Point base,
              const game::FigureState& figures, std::string_view king_name, bool full);

// The body is drawn without a crown overlay, or when `force_body`; the overlay whenever the
// crown has begun to appear.
void DrawPlayer(platform::Surface& target, const SpriteSheet& sheet, game::Point base,
                const game::FigureState& figures, bool full, bool force_body);

}  // namespace rolvi::gfx
