// What the main window draws and shows besides the game: the sprite sheet's Deflate stream,
// which the program carries inside itself, and from its resources the about box's picture and
// mask and every text.
#pragma once

#include <cstdint>
#include <span>

#include "platform/resource_lookup.h"
#include "platform/surface.h"
#include "shell/texts.h"

namespace rolvi::shell {

struct Assets {
  std::span<const std::uint8_t> sheet_stream;  // raw Deflate stream of the sprite sheet
  platform::DibView about_picture;
  platform::DibView about_mask;
  Texts texts;
};

// Views into the program's data and into `resources`, which must outlive them.
Assets LoadAssets(const platform::ResourceLookup& resources);
// The sprite sheet's stream alone, for tools that draw balls without a window.
std::span<const std::uint8_t> SpriteSheetStream();

}  // namespace rolvi::shell
