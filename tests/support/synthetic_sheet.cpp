#include "support/synthetic_sheet.h"

#include <vector>

#include "platform/software/soft_image.h"

namespace rolvi::testing {
namespace {

constexpr int kWidth = 511;
constexpr int kHeight = 585;

void Paint(std::vector<std::uint32_t>& pixels, const gfx::SpriteRect& region,
           platform::Rgb colour) {
  for (int y = region.y; y < region.y + region.height; ++y) {
    for (int x = region.x; x < region.x + region.width; ++x) {
      pixels[static_cast<std::size_t>(y * kWidth + x)] = platform::PackRgb(colour);
    }
  }
}

}  // namespace

platform::Rgb CellColour(int colour, int frame) {
  return {static_cast<std::uint8_t>(10 + 30 * colour), static_cast<std::uint8_t>(10 + 20 * frame),
          200};
}
platform::Rgb KingColour(int frame) {
  return {250, static_cast<std::uint8_t>(30 * frame), 50};
}
platform::Rgb CrownColour(int frame) {
  return {100, static_cast<std::uint8_t>(30 * frame), 77};
}

gfx::SpriteSheet SyntheticSheet() {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kWidth * kHeight), 0);
  for (int colour = 0; colour < 8; ++colour) {
    for (int frame = 0; frame < gfx::kCellFrames; ++frame) {
      Paint(pixels, gfx::CellTile(colour, frame), CellColour(colour, frame));
    }
  }
  for (int frame = 0; frame < gfx::kKingFrames; ++frame)
    Paint(pixels, gfx::KingSprite(frame), KingColour(frame));
  Paint(pixels, gfx::kPlayerSprite, kPlayerColour);
  for (int frame = 1; frame <= 6; ++frame)
    Paint(pixels, gfx::CrownSprite(frame), CrownColour(frame));
  Paint(pixels, gfx::kPillarSprite, kPillarColour);
  Paint(pixels, gfx::kPillarFootSprite, kFootColour);

  gfx::SpriteSheet sheet;
  sheet.bitmap = std::make_unique<platform::SoftImage>(kWidth, kHeight, std::move(pixels));
  return sheet;
}

}  // namespace rolvi::testing
