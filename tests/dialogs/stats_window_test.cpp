#include "dialogs/stats_window.h"

#include <gtest/gtest.h>

#include "support/program_assets.h"

namespace rolvi::dialogs {
namespace {

// A row tells how many cells hold the code and their share of the board, rounded down; ball
// rows add how many balls of the colour lines removed. The program's label, GBK ", 消除"
// (removed), stands before it.
TEST(StatsRowTest, CountsSharesAndRemovedBalls) {
  const std::string_view removed = testing::ProgramTexts().stats_removed;
  EXPECT_EQ(StatsRowText(0, 76, 0, removed).view(), "76 (93%)          ");
  EXPECT_EQ(StatsRowText(3, 1, 0, removed).view(),
            "1 (1%), \xCF\xFB\xB3\xFD"
            "0          ");
  EXPECT_EQ(StatsRowText(5, 81, 12, removed).view(),
            "81 (100%), \xCF\xFB\xB3\xFD"
            "12          ");
  EXPECT_EQ(StatsRowText(5, 81, 12, "|").view(), "81 (100%)|12          ");
}

}  // namespace
}  // namespace rolvi::dialogs
