#include "review_pictures.h"

#include <cstdint>
#include <vector>

#include "ball_tiles.h"
#include "platform/software/png_writer.h"
#include "platform/software/soft_surface.h"

namespace rolvi::colour {
namespace {

using platform::Rgb;
using platform::SoftSurface;

constexpr Rgb kGround{48, 48, 56};
constexpr Rgb kLabel{224, 224, 224};
constexpr int kLabelWidth = 84;
constexpr int kGap = 12;
constexpr int kCellFrames = 10;

void PutTile(SoftSurface& surface, const Tile& tile, Vision vision, int left, int top) {
  for (int y = 0; y < kTileSide; ++y) {
    for (int x = 0; x < kTileSide; ++x) {
      const Rgb seen = ToSrgb(Simulate(vision, ToLinear(tile.at(x, y))));
      surface.FillRect({left + x, top + y, left + x + 1, top + y + 1}, seen);
    }
  }
}

void Label(SoftSurface& surface, std::string_view text, const platform::Rect& rect) {
  surface.SetTextColour(kLabel);
  surface.DrawText(text, rect, {.vertical_centre = true, .single_line = true});
}

// The surface enlarged `zoom` times, each pixel a square, as a PNG file.
bool SaveEnlarged(const SoftSurface& surface, int zoom, const std::string& path) {
  const int width = surface.width() * zoom;
  const int height = surface.height() * zoom;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) *
                                    static_cast<std::size_t>(height));
  const auto source = surface.pixels();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
             static_cast<std::size_t>(x)] =
          source[static_cast<std::size_t>((y / zoom) * surface.width() + x / zoom)];
    }
  }
  const std::vector<std::uint8_t> png = platform::EncodePng(pixels, width, height, width);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  return std::fclose(file) == 0 && written;
}

bool WriteViews(const std::string& path) {
  const int block = kBallColours * kTileSide;
  const int header = 18;
  SoftSurface surface(kLabelWidth + 2 * block + kGap + 4,
                      header + static_cast<int>(kVisions.size()) * kTileSide + 4, kGround);
  surface.SetBackgroundMode(platform::BackgroundMode::kTransparent);
  surface.SelectFont(platform::Font::kDialog);
  Label(surface, "without symbols", {kLabelWidth, 0, kLabelWidth + block, header});
  Label(surface, "with symbols", {kLabelWidth + block + kGap, 0, surface.width(), header});
  const auto plain = BallTiles(0, gfx::BallSymbols::kOff);
  const auto marked = BallTiles(0, gfx::BallSymbols::kOn);
  int top = header;
  for (const Vision vision : kVisions) {
    Label(surface, VisionName(vision), {4, top, kLabelWidth, top + kTileSide});
    for (int i = 0; i < kBallColours; ++i) {
      const auto index = static_cast<std::size_t>(i);
      PutTile(surface, plain[index], vision, kLabelWidth + kTileSide * i, top);
      PutTile(surface, marked[index], vision, kLabelWidth + block + kGap + kTileSide * i, top);
    }
    top += kTileSide;
  }
  return SaveEnlarged(surface, 2, path);
}

bool WriteFrames(const std::string& path) {
  SoftSurface surface(kCellFrames * kTileSide + 4, kBallColours * kTileSide + 4, kGround);
  for (int frame = 0; frame < kCellFrames; ++frame) {
    const auto tiles = BallTiles(frame, gfx::BallSymbols::kOn);
    for (int i = 0; i < kBallColours; ++i) {
      PutTile(surface, tiles[static_cast<std::size_t>(i)], Vision::kNormal, 2 + kTileSide * frame,
              2 + kTileSide * i);
    }
  }
  return SaveEnlarged(surface, 3, path);
}

}  // namespace

bool WriteReviewPictures(const std::string& directory) {
  const bool views = WriteViews(directory + "/ball-symbols-views.png");
  return WriteFrames(directory + "/ball-symbols-frames.png") && views;
}

}  // namespace rolvi::colour
