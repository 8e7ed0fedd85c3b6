// A sprite sheet for rendering tests whose every atlas region is one flat, distinct colour,
// so a test can tell from a single pixel which region was copied there.
#pragma once

#include "gfx/sprite_sheet.h"
#include "platform/surface.h"

namespace rolvi::testing {

gfx::SpriteSheet SyntheticSheet();

platform::Rgb CellColour(int colour, int frame);
platform::Rgb KingColour(int frame);
platform::Rgb CrownColour(int frame);
inline constexpr platform::Rgb kPlayerColour{1, 2, 3};
inline constexpr platform::Rgb kPillarColour{123, 45, 67};
inline constexpr platform::Rgb kFootColour{89, 10, 11};

}  // namespace rolvi::testing
