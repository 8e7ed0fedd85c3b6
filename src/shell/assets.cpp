#include "shell/assets.h"

#include <cstddef>

#include "resource_ids.h"

namespace rolvi::embedded {
extern const std::uint8_t sprite_sheet[];
extern const std::size_t sprite_sheet_size;
}  // namespace rolvi::embedded

namespace rolvi::shell {

std::span<const std::uint8_t> SpriteSheetStream() {
  return {embedded::sprite_sheet, embedded::sprite_sheet_size};
}

Assets LoadAssets(const platform::ResourceLookup& resources) {
  return {.sheet_stream = SpriteSheetStream(),
          .about_picture = resources.Bitmap(IDB_ABOUT),
          .about_mask = resources.Bitmap(IDB_ABOUT_MASK),
          .texts = LoadTexts(resources)};
}

}  // namespace rolvi::shell
