#include "dialogs/stats_window.h"

#include <array>
#include <string_view>

#include "dialogs/fixed_text.h"
#include "gfx/atlas.h"
#include "gfx/board_renderer.h"

namespace rolvi::dialogs {
namespace {

constexpr int kWindowWidth = 164;
constexpr int kWindowHeight = 310;
// Where the window opens: 12 pixels right of the board frame, and 32 pixels below the top of
// the main window's frame, both measured from the main window's outer top-left corner.
constexpr int kGapRightOfBoard = 12;
constexpr int kBelowMainTop = 32;
constexpr int kTextLeft = 44;
constexpr int kRowHeight = 36;

constexpr std::string_view kTrailingBlanks = "          ";

}  // namespace

StatsRow StatsRowText(int code, std::int32_t count, std::uint32_t removed,
                      std::string_view removed_label) {
  StatsRow row;
  row.AppendNumber(static_cast<std::uint32_t>(count))
      .Append(" (")
      .AppendNumber(static_cast<std::uint32_t>(count * 100 / game::kCellCount))
      .Append("%)");
  // The number follows the label without a blank.
  if (code > 0) row.Append(removed_label).AppendNumber(removed);
  return row.Append(kTrailingBlanks);
}

void StatsWindow::OnInit(platform::DialogControls& dialog) {
  const platform::Rect main = system_.WindowRect();
  const int left = main.left + board_origin_.x + gfx::kBoardFrameSide + kGapRightOfBoard;
  const int top = main.top + kBelowMainTop;
  dialog.MoveWindow({left, top, left + kWindowWidth, top + kWindowHeight});
}

void StatsWindow::OnPaint(platform::DialogControls& dialog, platform::Surface& surface) {
  std::array<std::int32_t, 8> counts{};
  for (const game::CellCode code : game_.supply.board.cells) {
    // Between turns every code is 0..7; anything else would be a fault elsewhere.
    if (code < counts.size()) ++counts[code];
  }

  const platform::Font previous = surface.SelectFont(platform::Font::kList16);
  surface.SetBackgroundColour(surface.SystemColour(platform::SystemColour::kFace));
  surface.SetBackgroundMode(platform::BackgroundMode::kOpaque);
  surface.SetTextColour(platform::kBlack);

  const platform::Size client = dialog.ClientSize();
  platform::Rect text{kTextLeft, 0, client.width, kRowHeight - 1};
  for (int code = 0; code < 8; ++code) {
    gfx::DrawSprite(surface, sheet_, gfx::CellTile(code, 0), text.left - kTextLeft, text.top);
    if (symbols_ == gfx::BallSymbols::kOn) {
      gfx::DrawBallSymbol(surface, code, 0, text.left - kTextLeft, text.top);
    }
    const StatsRow row =
        StatsRowText(code, counts[code], game_.supply.tally.removed[code], removed_label_);
    surface.DrawText(row.view(), text, {.vertical_centre = true, .single_line = true});
    text.top += kRowHeight;
    text.bottom += kRowHeight;
  }
  surface.SelectFont(previous);
}

bool StatsWindow::OnClose(platform::DialogControls& dialog) {
  dialog.EndDialog(0);
  on_close_();
  return true;
}

}  // namespace rolvi::dialogs
