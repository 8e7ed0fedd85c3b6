#include "dialogs/records_dialog.h"

#include <gtest/gtest.h>

#include "platform/ink.h"
#include "platform/software/soft_surface.h"
#include "support/record_builders.h"

namespace rolvi::dialogs {
namespace {

using platform::Rect;
using platform::Size;

// The client area the list is painted into, 248 pixels wide inside its margins.
class ListClient final : public platform::DialogControls {
 public:
  std::string ItemText(int) const override { return {}; }
  void SetItemText(int, std::string_view) override {}
  void EndDialog(int) override {}
  Rect WindowRect() const override { return {0, 0, kSize.width, kSize.height}; }
  void MoveWindow(const Rect&) override {}
  Size ClientSize() const override { return kSize; }
  void ShowMessageBox(std::string_view, std::string_view, platform::MessageIcon) override {}

  static constexpr Size kSize{280, 200};
};

// The ink of the first row of the list with this name in first place.
Rect FirstRowInk(std::string_view name) {
  records::RecordTable table = testing::TableWithScores({9, 8, 7, 6, 5, 4, 3, 2, 1, 0});
  table[0] = testing::EntryOf(name, 9);
  ListClient client;
  platform::SoftSurface surface(ListClient::kSize.width, ListClient::kSize.height,
                                platform::kWhite);
  RecordsDialog list(Size{1024, 768}, table);
  list.OnPaint(client, surface);
  // The rank and the name, left of the score at the right end of the row.
  return testing::InkBounds(surface, platform::kBlack, Rect{0, 16, 200, 32});
}

// A name is drawn as it was entered: "&" is one of its characters, not the mark of an
// underlined letter, so "Tom&Jerry" is as much wider than "TomJerry" as "&" is wide.
TEST(RecordsDialogTest, NamesShowAnAmpersandAsItIs) {
  const platform::SoftSurface measure(1, 1);
  const int ampersand = measure.MeasureText("&", platform::Font::kList18, false).width;
  ASSERT_GT(ampersand, 0);
  const Rect with = FirstRowInk("Tom&Jerry");
  const Rect without = FirstRowInk("TomJerry");
  EXPECT_EQ(with.left, without.left);
  EXPECT_EQ(with.width() - without.width(), ampersand);
  // No underline: the row's ink stays as low as the letters' (the "y" reaches lowest).
  EXPECT_EQ(with.bottom, without.bottom);
}

}  // namespace
}  // namespace rolvi::dialogs
