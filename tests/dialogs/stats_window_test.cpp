#include "dialogs/stats_window.h"

#include <gtest/gtest.h>

namespace rolvi::dialogs {
namespace {

// A row tells how many cells hold the code and their share of the board, rounded down; ball
// rows add how many balls of the colour lines removed. GBK "消除" (removed) stands before it.
TEST(StatsRowTest, CountsSharesAndRemovedBalls) {
  EXPECT_EQ(StatsRowText(0, 76, 0).view(), "76 (93%)          ");
  EXPECT_EQ(StatsRowText(3, 1, 0).view(),
            "1 (1%), \xCF\xFB\xB3\xFD"
            "0          ");
  EXPECT_EQ(StatsRowText(5, 81, 12).view(),
            "81 (100%), \xCF\xFB\xB3\xFD"
            "12          ");
}

}  // namespace
}  // namespace rolvi::dialogs
