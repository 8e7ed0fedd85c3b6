#include "shell/layout.h"

#include <gtest/gtest.h>

namespace rolvi::shell {
namespace {

TEST(LayoutTest, FollowsTheClientSizeWithDivisionsThatTruncateTowardZero) {
  Layout layout;
  ApplyClientSize(layout, 612, 374);
  EXPECT_EQ(layout, (Layout{{142, 45}, {516, 10}, {252, 5}, {42, 304}, {512, 304}}));
  ApplyClientSize(layout, 1016, 700);
  EXPECT_EQ(layout, (Layout{{344, 208}, {920, 10}, {454, 5}, {143, 467}, {815, 467}}));

  ApplyClientSize(layout, 612, 371);
  EXPECT_EQ(layout.board_origin.y, 44);  // (371 - 376) / 2 = -2
  ApplyClientSize(layout, 0, 0);         // minimised
  EXPECT_EQ(layout.board_origin, (Point{-164, -142}));
  EXPECT_EQ(layout.king_base, (Point{-111, 117}));
}

TEST(LayoutTest, CellAtPointMeasuresFromTheBoardOriginItself) {
  const Point origin{142, 45};
  using game::CellRef;
  EXPECT_EQ(CellAtPoint(origin, 142, 45), (CellRef{0, 0}));  // the frame's top-left pixel
  EXPECT_EQ(CellAtPoint(origin, 141, 60), std::nullopt);
  EXPECT_EQ(CellAtPoint(origin, 150, 44), std::nullopt);
  EXPECT_EQ(CellAtPoint(origin, 142 + 36 * 9 - 1, 45 + 36 * 9 - 1), (CellRef{8, 8}));
  EXPECT_EQ(CellAtPoint(origin, 142 + 36 * 9, 100), std::nullopt);  // the frame's last columns
  EXPECT_EQ(CellAtPoint(origin, 200, 45 + 36 * 9), std::nullopt);
  EXPECT_EQ(CellAtPoint(origin, 142 + 36 * 3 + 35, 45 + 36 * 4), (CellRef{3, 4}));
  // Every cell's centre maps back to the cell.
  for (int row = 0; row < 9; ++row) {
    for (int column = 0; column < 9; ++column) {
      const Point centre = CellCentre(origin, {column, row});
      EXPECT_EQ(CellAtPoint(origin, centre.x, centre.y), (CellRef{column, row}));
    }
  }
}

}  // namespace
}  // namespace rolvi::shell
