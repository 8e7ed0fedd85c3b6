#include "platform/sdl/enlarge.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace rolvi::platform::sdl {
namespace {

constexpr std::uint32_t kUntouched = 0xDEADBEEF;

// A source of `width` by `height` with a distinct value per pixel and two spare pixels at the
// end of every row, which must never show.
struct Source {
  int width;
  int height;
  std::vector<std::uint32_t> pixels;
  Source(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>((w + 2) * h)) {
    for (int j = 0; j < h; ++j) {
      for (int i = 0; i < w + 2; ++i)
        at(i, j) = i < w ? static_cast<std::uint32_t>(j * 1000 + i) : kUntouched - 1;
    }
  }
  std::uint32_t& at(int i, int j) { return pixels[static_cast<std::size_t>(j * (width + 2) + i)]; }
  PixelBlock block() const { return {pixels.data(), width, height, width + 2}; }
};

struct Target {
  int width;
  int height;
  int pitch;
  std::vector<std::uint32_t> pixels;
  Target(int w, int h)
      : width(w),
        height(h),
        pitch(w + 3),
        pixels(static_cast<std::size_t>(pitch * h), kUntouched) {}
  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * pitch + x)]; }
  PixelTarget view() { return {pixels.data(), width, height, pitch}; }
};

// What the target pixel (tx, ty) must hold after enlarging `source` by `scale` at (x, y).
std::uint32_t Expected(Source& source, int scale, int x, int y, int tx, int ty) {
  const int dx = tx - x;
  const int dy = ty - y;
  if (dx < 0 || dy < 0 || dx >= source.width * scale || dy >= source.height * scale)
    return kUntouched;
  return source.at(dx / scale, dy / scale);
}

void ExpectEnlarged(Source& source, int scale, int x, int y, const Target& target) {
  int mismatches = 0;
  for (int ty = 0; ty < target.height; ++ty) {
    for (int tx = 0; tx < target.width; ++tx) {
      if (target.at(tx, ty) != Expected(source, scale, x, y, tx, ty) && ++mismatches <= 5) {
        ADD_FAILURE() << "scale " << scale << " at (" << x << ", " << y << "): target pixel (" << tx
                      << ", " << ty << ") is " << target.at(tx, ty);
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
  // The spare pixels past each target row stay as they were.
  for (int ty = 0; ty < target.height; ++ty) {
    for (int tx = target.width; tx < target.pitch; ++tx) {
      EXPECT_EQ(target.pixels[static_cast<std::size_t>(ty * target.pitch + tx)], kUntouched);
    }
  }
}

TEST(EnlargeInto, EveryPixelBecomesASquareOfTheScaleClippedOnEverySide) {
  const int placements[][2] = {{2, 1}, {-3, -5},   {-7, 2}, {4, -1},
                               {9, 6}, {-20, -20}, {30, 0}, {0, 30}};
  for (int scale = 1; scale <= 4; ++scale) {
    for (const auto& place : placements) {
      Source source(6, 4);
      Target target(12, 9);
      EnlargeInto(source.block(), scale, target.view(), place[0], place[1]);
      ExpectEnlarged(source, scale, place[0], place[1], target);
    }
  }
}

TEST(EnlargeInto, DoesNothingWithoutPixelsOrAScale) {
  Source source(2, 2);
  Target target(4, 4);
  EnlargeInto(source.block(), 0, target.view(), 0, 0);
  EnlargeInto(PixelBlock{}, 2, target.view(), 0, 0);
  for (const std::uint32_t pixel : target.pixels)
    EXPECT_EQ(pixel, kUntouched);
}

TEST(FillOutside, FillsTheStripsRightOfAndBelowTheRectangle) {
  Target target(7, 5);
  FillOutside(target.view(), 4, 3, 0);
  for (int y = 0; y < target.height; ++y) {
    for (int x = 0; x < target.width; ++x) {
      EXPECT_EQ(target.at(x, y), x < 4 && y < 3 ? kUntouched : 0u) << x << ", " << y;
    }
  }
  Target whole(3, 3);
  FillOutside(whole.view(), 10, 10, 0);  // a rectangle larger than the target leaves it alone
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(whole.at(x, y), kUntouched);
  }
}

}  // namespace
}  // namespace rolvi::platform::sdl
