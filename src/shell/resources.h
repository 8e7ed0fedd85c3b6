// The data the program carries inside itself: the sprite sheet's Deflate stream and the about
// box's picture and mask, as the main window needs them.
#pragma once

#include <cstdint>
#include <span>

#include "platform/surface.h"
#include "shell/main_window.h"

namespace rolvi::shell {

Resources EmbeddedResources();

// The info header with colour table, and the pixel rows, of a BMP file; empty views when the
// file is too short or its pixel offset lies outside it.
platform::DibView DibFromBitmapFile(std::span<const std::uint8_t> file);

}  // namespace rolvi::shell
