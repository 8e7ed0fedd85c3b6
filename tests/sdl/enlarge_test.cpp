#include "platform/sdl/enlarge.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace rolvi::platform::sdl {
namespace {

constexpr std::uint32_t kUntouched = 0xDEADBEEF;

// Target rows hold three spare pixels past their width, which nothing may write.
struct Target {
  int width;
  int height;
  std::vector<std::uint32_t> pixels =
      std::vector<std::uint32_t>(static_cast<std::size_t>((width + 3) * height), kUntouched);
  std::uint32_t at(int x, int y) const {
    return pixels[static_cast<std::size_t>(y * (width + 3) + x)];
  }
  PixelTarget view() { return {pixels.data(), width, height, width + 3}; }
};

TEST(EnlargeInto, EveryPixelBecomesASquareOfTheScaleClippedOnEverySide) {
  // A 6 by 4 source with a distinct value per pixel and two spare pixels past every row,
  // which must never show.
  constexpr int kWidth = 6;
  constexpr int kHeight = 4;
  constexpr int kPitch = kWidth + 2;
  std::vector<std::uint32_t> source(kPitch * kHeight, kUntouched - 1);
  for (int j = 0; j < kHeight; ++j) {
    for (int i = 0; i < kWidth; ++i)
      source[static_cast<std::size_t>(j * kPitch + i)] = static_cast<std::uint32_t>(j * 1000 + i);
  }
  const int placements[][2] = {{2, 1}, {-3, -5},   {-7, 2}, {4, -1},
                               {9, 6}, {-20, -20}, {30, 0}, {0, 30}};
  for (int scale = 1; scale <= 4; ++scale) {
    for (const auto& [x, y] : placements) {
      Target target{12, 9};
      EnlargeInto({source.data(), kWidth, kHeight, kPitch}, scale, target.view(), x, y);
      int mismatches = 0;
      for (int ty = 0; ty < target.height; ++ty) {
        for (int tx = 0; tx < target.width + 3; ++tx) {
          const int dx = tx - x;
          const int dy = ty - y;
          const bool covered = tx < target.width && dx >= 0 && dy >= 0 && dx < kWidth * scale &&
                               dy < kHeight * scale;
          const std::uint32_t expected =
              covered ? source[static_cast<std::size_t>(dy / scale * kPitch + dx / scale)]
                      : kUntouched;
          if (target.at(tx, ty) != expected && ++mismatches <= 5) {
            ADD_FAILURE() << "scale " << scale << " at (" << x << ", " << y << "): target pixel ("
                          << tx << ", " << ty << ") is " << target.at(tx, ty);
          }
        }
      }
      EXPECT_EQ(mismatches, 0);
    }
  }
  // Nothing without pixels or a scale.
  Target target{4, 4};
  EnlargeInto({source.data(), kWidth, kHeight, kPitch}, 0, target.view(), 0, 0);
  EnlargeInto(PixelBlock{}, 2, target.view(), 0, 0);
  EXPECT_EQ(target.pixels, (Target{4, 4}.pixels));
}

TEST(FillOutside, FillsTheStripsRightOfAndBelowTheRectangle) {
  Target target{7, 5};
  FillOutside(target.view(), 4, 3, 0);
  for (int y = 0; y < target.height; ++y) {
    for (int x = 0; x < target.width + 3; ++x) {
      const bool filled = x < target.width && (x >= 4 || y >= 3);
      EXPECT_EQ(target.at(x, y), filled ? 0u : kUntouched) << x << ", " << y;
    }
  }
  Target whole{3, 3};
  FillOutside(whole.view(), 10, 10, 0);  // a rectangle larger than the target leaves it alone
  EXPECT_EQ(whole.pixels, (Target{3, 3}.pixels));
}

}  // namespace
}  // namespace rolvi::platform::sdl
