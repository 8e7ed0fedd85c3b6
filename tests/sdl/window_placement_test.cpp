#include "platform/sdl/window_placement.h"

#include <gtest/gtest.h>

namespace rolvi::platform::sdl {
namespace {

constexpr Rect kScreen{0, 0, 1280, 800};

TEST(KeepFrameInside, AFrameThatFitsStaysWhereItWasWanted) {
  EXPECT_EQ(KeepFrameInside({330, 190}, {624, 426}, kScreen), (Point{330, 190}));
  EXPECT_EQ(KeepFrameInside({0, 0}, {1280, 800}, kScreen), (Point{0, 0}));
  // An unknown work area changes nothing.
  EXPECT_EQ(KeepFrameInside({-20, -20}, {624, 426}, Rect{}), (Point{-20, -20}));
}

TEST(KeepFrameInside, AFrameIsMovedAsLittleAsItTakesToFit) {
  // Past the right and bottom edges, and above and left of a work area below a panel.
  EXPECT_EQ(KeepFrameInside({900, 500}, {624, 426}, kScreen), (Point{656, 374}));
  EXPECT_EQ(KeepFrameInside({-10, 10}, {624, 426}, Rect{0, 30, 1280, 800}), (Point{0, 30}));
}

TEST(KeepFrameInside, AFrameLargerThanTheWorkAreaKeepsItsTitleBarInView) {
  // ROLVI_SCALE=2 on 1280 by 800: 1224 by 788 of client in IceWM's frame, centred at
  // (20, -20), would hide the title bar above the screen.
  EXPECT_EQ(KeepFrameInside({20, -20}, {1232, 818}, kScreen), (Point{20, 0}));
  EXPECT_EQ(KeepFrameInside({20, -20}, {1232, 818}, Rect{0, 30, 1280, 800}), (Point{20, 30}));
  EXPECT_EQ(KeepFrameInside({-54, -18}, {2000, 1000}, kScreen), (Point{0, 0}));
}

}  // namespace
}  // namespace rolvi::platform::sdl
