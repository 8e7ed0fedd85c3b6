#include "shell/touch_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gfx/board_renderer.h"
#include "platform/headless/headless_window_system.h"
#include "platform/memory_file_system.h"
#include "shell/main_window.h"
#include "support/program_assets.h"

namespace rolvi::shell {
namespace {

using platform::Rect;
using platform::Size;

struct Phone {
  const char* name;
  Size points;
};

// The phones the page is made for, held upright; each is also tried turned.
const std::vector<Phone>& Phones() {
  static const std::vector<Phone> phones{{"iPhone 13", {390, 844}},
                                         {"Pixel 7", {412, 915}},
                                         {"iPhone SE", {375, 667}},
                                         {"Galaxy S9", {360, 740}}};
  return phones;
}

bool Inside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// What each piece covers at its largest: a figure at the top of its pillar with its plate,
// the board's tiles (its frame may be cut off at the client's sides).
struct Pieces {
  std::vector<std::pair<std::string, Rect>> all;
  Rect tiles;
};

Pieces PiecesOf(const Layout& layout, const TouchPlaces& places) {
  const auto figure = [](Point base) {
    return Rect{base.x - 16, base.y - 234, base.x + 74, base.y + 24};
  };
  const auto box = [](Point at, int width, int height) {
    return Rect{at.x, at.y, at.x + width, at.y + height};
  };
  const Point board = layout.board_origin;
  Pieces pieces;
  pieces.tiles = Rect{board.x + 2, board.y + 2, board.x + 2 + 9 * 36, board.y + 2 + 9 * 36};
  pieces.all = {{"board", box(board, 328, 328)},
                {"king", figure(layout.king_base)},
                {"player", figure(layout.player_base)},
                {"record box", box(places.record_box_origin, 72, 24)},
                {"score box", box(layout.score_box_origin, 72, 24)},
                {"preview", box(layout.preview_origin, 108, 36)},
                {"menu button", places.menu_button}};
  return pieces;
}

// How many points a client pixel takes on the page: the client fills the screen as far as
// both sides allow.
double PointsPerPixel(Size screen, Size client) {
  return std::min(static_cast<double>(screen.width) / client.width,
                  static_cast<double>(screen.height) / client.height);
}

// The whole game in the client, nothing over anything else, cells and the menu button a finger
// wide, on every phone either way up.
TEST(TouchLayoutTest, EveryPhoneShowsTheWholeGameWithCellsAFingerWide) {
  for (const Phone& phone : Phones()) {
    for (const bool turned : {false, true}) {
      const Size screen = turned ? Size{phone.points.height, phone.points.width} : phone.points;
      const std::string what = std::string(phone.name) + (turned ? " landscape" : " portrait");
      const Size client = TouchClientSize(screen);
      const double across = PointsPerPixel(screen, client);
      EXPECT_GE(36 * across, turned ? kLandscapeCellPoints : kPortraitCellPoints) << what;
      EXPECT_GE(platform::kTouchTargetSide * across, 40.0) << what;
      // The client fills the screen up to less than a pixel.
      EXPECT_LT(screen.width - client.width * across, across + 1e-9) << what;
      EXPECT_LT(screen.height - client.height * across, across + 1e-9) << what;

      Layout layout;
      TouchPlaces places;
      ApplyTouchClientSize(layout, places, client.width, client.height);
      const Rect whole{0, 0, client.width, client.height};
      const Pieces pieces = PiecesOf(layout, places);
      EXPECT_TRUE(Inside(pieces.tiles, whole)) << what;
      for (std::size_t i = 0; i < pieces.all.size(); ++i) {
        const auto& [name, rect] = pieces.all[i];
        if (name != "board") {
          EXPECT_TRUE(Inside(rect, whole)) << what << ": " << name;
        }
        for (std::size_t j = i + 1; j < pieces.all.size(); ++j) {
          EXPECT_FALSE(Overlap(rect, pieces.all[j].second))
              << what << ": " << name << " and " << pieces.all[j].first;
        }
      }
      // The boxes, the preview and the button stand on panels, inside the client.
      for (const auto& [name, rect] : pieces.all) {
        if (name == "board" || name == "king" || name == "player") continue;
        EXPECT_TRUE(std::any_of(places.panels.begin(), places.panels.end(),
                                [&](const Rect& panel) { return Inside(rect, panel); }))
            << what << ": " << name;
      }
      for (const Rect& panel : places.panels) {
        if (panel.width() > 0) {
          EXPECT_TRUE(Inside(panel, whole)) << what;
        }
      }
    }
  }
}

TEST(TouchLayoutTest, TheBoardKeepsItsFrameWhereTheScreenIsWideEnough) {
  // Upright, 360 points leave exactly nine cells of 40: the frame is cut off at the sides.
  EXPECT_EQ(TouchClientSize({360, 740}).width, 9 * 36);
  EXPECT_EQ(TouchClientSize({375, 667}), (Size{336, 597}));
  Layout layout;
  TouchPlaces places;
  ApplyTouchClientSize(layout, places, 336, 597);
  EXPECT_EQ(layout.board_origin.x, 4);
  EXPECT_GE(layout.board_origin.y + 328, 597 - 12);  // the board at the bottom, thumbs' reach
  ApplyTouchClientSize(layout, places, 324, 666);
  EXPECT_EQ(layout.board_origin.x, -2);
  // Turned, the board is as high as the client, between the columns.
  const Size turned = TouchClientSize({740, 360});
  EXPECT_EQ(turned.height, 352);
  ApplyTouchClientSize(layout, places, turned.width, turned.height);
  EXPECT_EQ(layout.board_origin, (Point{(turned.width - 328) / 2, 12}));
  EXPECT_LT(places.menu_button.right, layout.board_origin.x);  // the left column's top
}

TEST(TouchLayoutTest, AScreenTooSmallForFingerSizedCellsStillShowsTheWholeGame) {
  for (const Size screen : {Size{400, 600}, Size{600, 400}, Size{300, 320}, Size{1, 1}}) {
    const Size client = TouchClientSize(screen);
    Layout layout;
    TouchPlaces places;
    ApplyTouchClientSize(layout, places, client.width, client.height);
    const Pieces pieces = PiecesOf(layout, places);
    const Rect whole{0, 0, client.width, client.height};
    EXPECT_TRUE(Inside(pieces.tiles, whole)) << screen.width << "x" << screen.height;
    for (const auto& [name, rect] : pieces.all) {
      if (name != "board") {
        EXPECT_TRUE(Inside(rect, whole)) << name;
      }
    }
  }
  // Any size at all, a minimised window's too, gives a layout without failing.
  Layout layout;
  TouchPlaces places;
  for (const Size client : {Size{0, 0}, Size{1, 8192}, Size{8192, 1}}) {
    ApplyTouchClientSize(layout, places, client.width, client.height);
  }
  EXPECT_EQ(TouchClientSize({0, -5}), TouchClientSize({1, 1}));
}

// The main window on a touch screen's window system: the touch layout, its panels and the
// record box on them instead of the header bar, the menu button's place told.
class TouchMainWindowTest : public ::testing::Test {
 protected:
  TouchMainWindowTest()
      : system(Size{336, 727}, 1, files), window(system, testing::ProgramAssets()) {
    system.SetTouchScreen(true);
    system.Attach(window);
    system.Create();
    system.Resize(336, 727);
  }

  platform::Rgb At(Point point) { return system.surface().GetPixel(point.x, point.y).value(); }

  platform::MemoryFileSystem files;
  platform::HeadlessWindowSystem system;
  MainWindow window;
};

TEST_F(TouchMainWindowTest, PaintsThePortraitLayoutAndPlacesTheMenuButton) {
  Layout expected;
  TouchPlaces places;
  ApplyTouchClientSize(expected, places, 336, 727);
  EXPECT_EQ(window.layout(), expected);
  EXPECT_EQ(window.touch_places(), places);
  EXPECT_EQ(system.menu_button(), places.menu_button);
  EXPECT_EQ(window.TouchClientSize({390, 844}), TouchClientSize({390, 844}));

  const Point record = places.record_box_origin;
  EXPECT_EQ(At(record), platform::kWhite);  // the record box's outline
  EXPECT_EQ(At({record.x + 10, record.y + 10}), platform::kBlack);
  const Rect panel = places.panels[0];
  EXPECT_EQ(At({panel.left + 3, panel.bottom - 3}), (platform::Rgb{192, 192, 192}));
  EXPECT_EQ(At({panel.left, panel.top + 5}), platform::kWhite);
  // No header bar across the top: the King's column stands on black there.
  EXPECT_EQ(At({2, 20}), platform::kBlack);
  const Point board = window.layout().board_origin;
  EXPECT_EQ(At({board.x + 327, board.y + 327}), (platform::Rgb{85, 85, 85}));

  // A turn of the phone: the landscape layout, and the button in its new place.
  system.Resize(761, 352);
  ApplyTouchClientSize(expected, places, 761, 352);
  EXPECT_EQ(window.layout(), expected);
  EXPECT_EQ(system.menu_button(), places.menu_button);
  EXPECT_EQ(At({places.panels[1].left + 2, places.panels[1].top + 2}),
            (platform::Rgb{192, 192, 192}));
}

TEST_F(TouchMainWindowTest, TheRecordBoxIsRedrawnOnItsPanelWhenTheRecordChanges) {
  const Point record = window.touch_places().record_box_origin;
  // A new game redraws the record box where this layout keeps it, not in the header's corner.
  system.surface().FillRect({record.x, record.y, record.x + 72, record.y + 24}, platform::kBlack);
  window.OnCommand(256);
  EXPECT_EQ(At(record), platform::kWhite);
  EXPECT_EQ(At(gfx::kRecordBoxOrigin), platform::kBlack);
}

}  // namespace
}  // namespace rolvi::shell
