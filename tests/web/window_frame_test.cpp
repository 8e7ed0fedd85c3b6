#include "platform/web/window_frame.h"

#include <gtest/gtest.h>

#include "platform/widgets/resource_tables.h"
#include "res/tables.h"

namespace rolvi::platform::web {
namespace {

constexpr Rgb kMarker{1, 2, 3};
constexpr Rgb kFace{192, 192, 192};
constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kGrey{128, 128, 128};

TEST(WindowFrameTest, TheMainWindowsFrameIsTheClassicOne) {
  // A 612 by 374 client below a 20-pixel menu bar makes the classic 620 by 420 window.
  const FrameLayout main = LayOutFrame(FrameStyle::kMain, Size{612, 394});
  EXPECT_EQ(main.outer, (Size{620, 420}));
  EXPECT_EQ(main.content, (Rect{4, 22, 616, 416}));
  EXPECT_EQ(main.title_bar, (Rect{4, 4, 616, 22}));
  EXPECT_EQ(main.close_box, (Rect{598, 6, 614, 20}));

  const FrameLayout dialog = LayOutFrame(FrameStyle::kDialog, Size{200, 100});
  EXPECT_EQ(dialog.outer, (Size{206, 124}));
  EXPECT_EQ(dialog.content, (Rect{3, 21, 203, 121}));
  EXPECT_EQ(dialog.close_box, (Rect{185, 5, 201, 19}));
}

class FramePixelsTest : public ::testing::Test {
 protected:
  void Draw(FrameLook look, const IconPicture* icon = nullptr) {
    surface.FillRect(Rect{0, 0, layout.outer.width, layout.outer.height}, kMarker);
    DrawWindowFrame(surface, layout, "Rules", look, icon);
  }
  Rgb At(int x, int y) const { return surface.GetPixel(x, y).value(); }
  int CountInTitle(Rgb colour) const {
    int count = 0;
    for (int y = layout.title_bar.top; y < layout.title_bar.bottom; ++y) {
      for (int x = layout.title_bar.left; x < layout.close_box.left; ++x)
        count += At(x, y) == colour;
    }
    return count;
  }

  FrameLayout layout = LayOutFrame(FrameStyle::kDialog, Size{120, 60});
  SoftSurface surface{layout.outer.width, layout.outer.height};
};

TEST_F(FramePixelsTest, BorderTitleAndCloseBoxLeaveTheContentAloneActiveOrNot) {
  Draw(FrameLook{});
  for (int y = layout.content.top; y < layout.content.bottom; ++y) {
    for (int x = layout.content.left; x < layout.content.right; ++x) {
      ASSERT_EQ(At(x, y), kMarker) << x << "," << y;
    }
  }
  EXPECT_EQ(At(0, 0), kFace);  // the raised edge: face and white at the top left,
  EXPECT_EQ(At(1, 1), kWhite);
  EXPECT_EQ(At(layout.outer.width - 1, layout.outer.height - 1), kBlack);  // black and grey
  EXPECT_EQ(At(layout.outer.width - 2, layout.outer.height - 2), kGrey);   // at the bottom right
  EXPECT_EQ(At(2, layout.content.top), kFace);
  EXPECT_EQ(At(layout.title_bar.left, layout.title_bar.top), kNavy);
  EXPECT_EQ(At(layout.title_bar.left, layout.title_bar.bottom - 1), kFace);  // the row below
  EXPECT_GT(CountInTitle(kWhite), 20);  // the caption's letters
  // The cross in the close box: its top-left stroke starts 4 right and 3 down of the box.
  const Rect box = layout.close_box;
  EXPECT_EQ(At(box.left + 4, box.top + 3), kBlack);
  EXPECT_EQ(At(box.left + 4 + 3, box.top + 3 + 3), kBlack);  // the middle
  EXPECT_EQ(At(box.left + 4 + 3, box.top + 3), kFace);

  // Inactive titles are grey, the caption in the face colour, and a pressed close box sinks.
  Draw(FrameLook{.active = false, .close_pressed = true});
  EXPECT_EQ(At(layout.title_bar.left, layout.title_bar.top), kGrey);
  EXPECT_EQ(CountInTitle(kWhite), 0);
  EXPECT_GT(CountInTitle(kFace), 20);
  EXPECT_EQ(At(box.left, box.top), kBlack);
  EXPECT_EQ(At(box.left + 4, box.top + 3), kFace);  // the cross moved one down and right
  EXPECT_EQ(At(box.left + 5, box.top + 4), kBlack);
}

TEST_F(FramePixelsTest, TheIconStandsAtTheTitlesLeftAndTheCaptionAfterIt) {
  IconPicture icon{16, 16, std::vector<std::uint32_t>(256, 0xFFFF0000u)};
  icon.argb[0] = 0;  // a transparent corner shows the title bar
  Draw(FrameLook{}, &icon);
  const int left = layout.title_bar.left + 1;
  const int top = layout.title_bar.top;
  EXPECT_EQ(At(left, top), kNavy);
  EXPECT_EQ(At(left + 1, top), (Rgb{255, 0, 0}));
  EXPECT_EQ(At(left + 15, top + 15), (Rgb{255, 0, 0}));
  for (int y = layout.title_bar.top; y < layout.title_bar.bottom; ++y) {
    for (int x = layout.title_bar.left; x < left + 16 + 3; ++x)
      EXPECT_NE(At(x, y), kWhite);
  }
}

TEST(CaptionIconTest, EachBlockOfFourBecomesTheMeanOfItsOpaquePixels) {
  IconPicture big{32, 32, std::vector<std::uint32_t>(32 * 32, 0)};
  const auto set = [&](int x, int y, std::uint32_t argb) {
    big.argb[static_cast<std::size_t>(y * 32 + x)] = argb;
  };
  for (const auto& [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}})
    set(x, y, 0xFF102030u);
  set(2, 0, 0xFFFFFFFFu);  // one opaque pixel of four: transparent
  set(4, 0, 0xFF640000u);  // two: their mean, opaque
  set(5, 1, 0xFFC80000u);
  const auto small = CaptionIcon(big);
  ASSERT_TRUE(small);
  EXPECT_EQ(small->width, 16);
  EXPECT_EQ(small->argb[0], 0xFF102030u);
  EXPECT_EQ(small->argb[1], 0u);
  EXPECT_EQ(small->argb[2], 0xFF960000u);
  EXPECT_EQ(small->argb[3], 0u);

  EXPECT_EQ(CaptionIcon(IconPicture{16, 16, std::vector<std::uint32_t>(256)}), std::nullopt);
  EXPECT_EQ(CaptionIcon(IconPicture{32, 32, {}}), std::nullopt);
}

TEST(CaptionIconTest, TheProgramsIconShrinksToTheTitleBar) {
  for (const widgets::BinaryResource& icon : res::Tables().icons) {
    const auto picture = ReadIconFile(icon.bytes);
    ASSERT_TRUE(picture);
    const auto small = CaptionIcon(*picture);
    ASSERT_TRUE(small);
    EXPECT_EQ(small->argb.size(), 256u);
  }
}

}  // namespace
}  // namespace rolvi::platform::web
