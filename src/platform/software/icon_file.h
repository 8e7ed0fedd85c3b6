// Reading the first picture of an icon file (.ico): its colour bitmap through the DIB decoder
// and its transparency mask, as 32-bit ARGB pixels that a window system can show as the
// window's icon.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace rolvi::platform {

struct IconPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;  // rows top first; alpha 0 where the mask is set
};

// Nothing when the file is not an icon with an uncompressed 1-, 4- or 8-bit first picture
// that lies wholly inside it.
std::optional<IconPicture> ReadIconFile(std::span<const std::uint8_t> file);

}  // namespace rolvi::platform
