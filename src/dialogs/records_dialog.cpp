#include "dialogs/records_dialog.h"

#include "dialogs/center_on_screen.h"
#include "dialogs/fixed_text.h"

namespace rolvi::dialogs {
namespace {

constexpr int kListInset = 16;
constexpr int kRowHeight = 16;

}  // namespace

void RecordsDialog::OnInit(platform::DialogControls& dialog) {
  CenterOnScreen(dialog, screen_);
}

void RecordsDialog::OnPaint(platform::DialogControls& dialog, platform::Surface& surface) {
  const platform::Font previous = surface.SelectFont(platform::Font::kList18);
  surface.SetBackgroundMode(platform::BackgroundMode::kTransparent);
  surface.SetTextColour(platform::kBlack);

  const platform::Size client = dialog.ClientSize();
  platform::Rect row{kListInset, kListInset, client.width - kListInset, kListInset + kRowHeight};
  for (std::size_t i = 0; i < table_.size(); ++i) {
    FixedText<32> rank;
    rank.AppendNumber(static_cast<std::uint32_t>(i + 1))
        .Append(". ")
        .Append(records::NameText(table_[i].name));
    // Names are shown as entered: "&" is one of their letters, not a mnemonic marker.
    surface.DrawText(rank.view(), row, {.single_line = true, .mnemonics = false});
    FixedText<12> score;
    score.AppendNumber(table_[i].score);
    surface.DrawText(score.view(), row,
                     {.align = platform::HorizontalAlign::kRight, .single_line = true});
    row.top += kRowHeight;
    row.bottom += kRowHeight;
  }
  surface.SelectFont(previous);
}

}  // namespace rolvi::dialogs
