// The board cursor's frame: where its two rings lie in a tile, and that taking it away puts
// back the very pixels of every tile a cell shows between two moves.
#include "gfx/cell_cursor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/board_renderer.h"
#include "platform/software/soft_surface.h"
#include "support/program_assets.h"

namespace rolvi::gfx {
namespace {

using platform::Rgb;
using platform::SoftSurface;

constexpr Rgb kBackground{7, 7, 7};

const SpriteSheet& Sheet() {
  static const SpriteSheet sheet = [] {
    SpriteSheet loaded;
    SoftSurface display(1, 1);
    EXPECT_EQ(LoadSpriteSheet(display, testing::ProgramAssets().sheet_stream, loaded),
              SheetLoad::kLoaded);
    return loaded;
  }();
  return sheet;
}

// A block of the surface as text: 'O' the outer colour, 'I' the inner one, '.' anything else.
std::string Picture(const SoftSurface& surface, int left, int top, int width, int height) {
  std::string text;
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) {
      const Rgb pixel = surface.GetPixel(x, y).value();
      text += pixel == kCursorOuter ? 'O' : pixel == kCursorInner ? 'I' : '.';
    }
    text += '\n';
  }
  return text;
}

TEST(CellCursorTest, TwoRingsLieOnTheTilesOwnEdgeAndNothingAroundIt) {
  // Cell (1, 1) of a board whose frame starts at (0, 0): its tile covers 38..73 both ways.
  SoftSurface surface(120, 120, kBackground);
  DrawCellCursor(surface, {0, 0}, 1, 1);
  EXPECT_EQ(Picture(surface, 36, 36, 5, 5),
            ".....\n"
            ".....\n"
            "..OOO\n"
            "..OII\n"
            "..OI.\n");
  EXPECT_EQ(Picture(surface, 70, 70, 6, 6),
            "..IO..\n"
            "..IO..\n"
            "IIIO..\n"
            "OOOO..\n"
            "......\n"
            "......\n");
  // 36 * 4 - 4 outer and 34 * 4 - 4 inner pixels, and no other.
  int outer = 0;
  int inner = 0;
  for (const std::uint32_t pixel : surface.pixels()) {
    outer += pixel == 0x000080u;
    inner += pixel == 0x1E50C8u;
  }
  EXPECT_EQ(outer, 140);
  EXPECT_EQ(inner, 132);
}

TEST(CellCursorTest, TakenAwayItLeavesEveryRestingAndJumpingTileAsItWas) {
  constexpr platform::Point kOrigin{3, 5};
  for (const BallSymbols symbols : {BallSymbols::kOff, BallSymbols::kOn}) {
    for (int colour = 0; colour <= game::kLastColour; ++colour) {
      for (int frame = 0; frame < 6; ++frame) {
        SoftSurface surface(3 * kCellPitch + 8, 3 * kCellPitch + 8, kBackground);
        // The cell between two neighbours whose edges touch it.
        for (int column = 0; column < 3; ++column) {
          DrawCell(surface, Sheet(), kOrigin, column, 1, game::kBlue, 0, symbols);
        }
        DrawCell(surface, Sheet(), kOrigin, 1, 1, static_cast<game::CellCode>(colour), frame,
                 symbols);
        const std::vector<std::uint32_t> before(surface.pixels().begin(), surface.pixels().end());
        DrawCellCursor(surface, kOrigin, 1, 1);
        ASSERT_NE(std::vector<std::uint32_t>(surface.pixels().begin(), surface.pixels().end()),
                  before);
        EraseCellCursor(surface, Sheet(), kOrigin, 1, 1);
        EXPECT_EQ(std::vector<std::uint32_t>(surface.pixels().begin(), surface.pixels().end()),
                  before)
            << "colour " << colour << ", frame " << frame << ", symbols "
            << (symbols == BallSymbols::kOn);
      }
    }
  }
}

}  // namespace
}  // namespace rolvi::gfx
