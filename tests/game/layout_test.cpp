#include "game/layout.h"

#include <gtest/gtest.h>

namespace rolvi::game {
namespace {

TEST(LayoutTest, FollowsTheClientSize) {
  Layout layout;
  ApplyClientSize(layout, 612, 374);
  EXPECT_EQ(layout, (Layout{{142, 45}, {516, 10}, {252, 5}, {42, 304}, {512, 304}}));

  ApplyClientSize(layout, 1016, 700);
  EXPECT_EQ(layout, (Layout{{344, 208}, {920, 10}, {454, 5}, {143, 467}, {815, 467}}));
}

TEST(LayoutTest, DivisionsTruncateTowardZero) {
  Layout layout;
  ApplyClientSize(layout, 612, 371);
  EXPECT_EQ(layout.board_origin.y, 44);  // (371 - 376) / 2 = -2
  ApplyClientSize(layout, 0, 0);         // minimised
  EXPECT_EQ(layout.board_origin, (Point{-164, -142}));
  EXPECT_EQ(layout.king_base, (Point{-111, 117}));
}

TEST(LayoutTest, CreationKeepsTheFirstBoardOrigin) {
  Layout layout;
  PlaceAroundBoard(layout, 612, 374);
  EXPECT_EQ(layout.board_origin, (Point{146, 68}));
  EXPECT_EQ(layout.score_box_origin, (Point{516, 10}));
  EXPECT_EQ(layout.player_base, (Point{512, 304}));
}

}  // namespace
}  // namespace rolvi::game
