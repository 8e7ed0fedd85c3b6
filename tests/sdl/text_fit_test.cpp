// The longest text each control can show, measured against the control as the desktop back
// end lays it out from the resource templates in the embedded fonts: button labels, static
// texts, the name field, the records list, the statistics rows and message-box captions.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "dialogs/name_check.h"
#include "dialogs/records_dialog.h"
#include "dialogs/stats_window.h"
#include "platform/dialog.h"
#include "platform/gbk/gbk_text.h"
#include "platform/ink.h"
#include "platform/software/glyphs.h"
#include "platform/software/soft_surface.h"
#include "platform/software/text_layout.h"
#include "platform/widgets/dialog_model.h"
#include "platform/widgets/widgets.h"
#include "records/record_table.h"
#include "res/tables.h"
#include "shell/commands.h"
#include "support/program_assets.h"

namespace rolvi::platform::widgets {
namespace {

const std::string kThirteenCapitals(13, 'W');

// How many pixels `text` inks when nothing clips it.
int UnclippedInk(const std::string& text, Font font) {
  SoftSurface surface(400, 40, kWhite);
  surface.SelectFont(font);
  surface.SetTextColour(kBlack);
  surface.SetBackgroundMode(BackgroundMode::kTransparent);
  surface.DrawText(text, {0, 0, 400, 40}, {.single_line = true});
  return testing::CountPixels(surface, kBlack);
}

class TextFitTest : public ::testing::Test {
 protected:
  // Every dialog as the desktop back end lays it out, and a message box.
  TextFitTest() {
    for (const DialogData& dialog : res::Tables().dialogs)
      models_.push_back(DialogModel::FromTemplate(dialog, measure_));
    models_.push_back(DialogModel::ForMessageBox("x", "", false, measure_));
  }
  SoftSurface measure_{1, 1};
  std::vector<DialogModel> models_;
};

// Every character of every menu and dialog text has a glyph of its own (line breaks and the
// menu's label separator are no characters to draw).
TEST_F(TextFitTest, EveryResourceTextHasItsGlyphs) {
  const auto check = [](std::string_view text) {
    for (std::size_t at = 0; DecodeGbk(text, at).length != 0; at += DecodeGbk(text, at).length) {
      const GbkChar c = DecodeGbk(text, at);
      if (c.code >= 0x20) {
        EXPECT_GE(GlyphOf(c), font_data::kFirstAscii) << GbkToUtf8(text);
      }
    }
  };
  for (const MenuData& popup : res::Tables().menu) {
    check(popup.title);
    for (const MenuItemData& item : popup.items)
      check(item.text);
  }
  for (const DialogData& dialog : res::Tables().dialogs) {
    check(dialog.caption);
    for (const ControlData& control : dialog.controls)
      check(control.text);
  }
}

// A push button draws a one-pixel frame when it is the default, a two-pixel bevel and, with
// the focus, a dotted rectangle four pixels in; the label keeps three pixels clear of that.
constexpr int kButtonLabelInset = 8;

TEST_F(TextFitTest, EveryButtonLabelKeepsClearOfItsEdgesAndFocusRectangle) {
  int buttons = 0;
  for (const DialogModel& model : models_) {
    for (const DialogControl& control : model.controls()) {
      if (control.role != ControlRole::kPushButton) continue;
      ++buttons;
      const Size label = measure_.MeasureText(control.text, Font::kDialog, true);
      EXPECT_GE((control.rect.width() - label.width) / 2, kButtonLabelInset)
          << control.text << ": " << label.width << " pixels in " << control.rect.width();
      EXPECT_GE((control.rect.height() - label.height) / 2, 4) << control.text;
    }
  }
  EXPECT_EQ(buttons, 5);
}

TEST_F(TextFitTest, StaticTextsAndGroupCaptionsFitTheirControls) {
  const FontMetrics font = MetricsOf(Font::kDialog);
  for (const DialogModel& model : models_) {
    for (const DialogControl& control : model.controls()) {
      if (control.role == ControlRole::kGroupBox && !control.text.empty()) {
        // The caption sits 8 pixels in, with 2 pixels of gap on either side of it.
        const int width = measure_.MeasureText(control.text, Font::kDialog, true).width;
        EXPECT_LE(8 + width + 4, control.rect.width() - 8) << control.text;
      }
      if (control.role != ControlRole::kStatic) continue;
      TextFormat format;
      format.word_wrap = true;
      format.mnemonics = control.mnemonics;
      int lines = 0;
      for (std::size_t at = 0;;) {
        const TextLine line = NextTextLine(control.text, at, font, format, control.rect.width());
        if (line.next == at) break;
        EXPECT_LE(line.width, control.rect.width()) << control.text;
        // A line that breaks inside a word of Latin letters means the control is too narrow.
        if (line.end < control.text.size() && line.end == line.next) {
          const char before = control.text[line.end - 1];
          const char after = control.text[line.end];
          EXPECT_FALSE(std::isalnum(static_cast<unsigned char>(before)) &&
                       std::isalnum(static_cast<unsigned char>(after)))
              << control.text << " is cut inside a word";
        }
        ++lines;
        at = line.next;
      }
      EXPECT_LE(lines * font.line_height, control.rect.height())
          << control.text << ": " << lines << " lines in " << control.rect.height() << " pixels";
    }
  }
}

TEST_F(TextFitTest, TheNameFieldHoldsThirteenCapitalsInsideItsPadding) {
  DialogModel model = DialogModel::FromTemplate(*FindDialog(res::Tables(), 1002), measure_);
  model.FocusFirstTabStop();
  model.OnText(kThirteenCapitals);
  EXPECT_EQ(model.ItemText(shell::kNameEditId), kThirteenCapitals);

  ASSERT_EQ(model.controls().at(2).role, ControlRole::kEdit);
  const Rect field = model.controls()[2].rect;
  const Size client = model.client_size();
  for (const char* name : {"WWWWWWWWWWWWW", "Jiggly Puppy", "gjpqy"}) {
    SoftSurface surface(client.width, client.height, kWhite);
    EditField text;
    text.SetText(name);
    DrawEditField(surface, field, text, false);
    // Inside the two-pixel sunken edge, the text keeps two pixels from the sides and one
    // from the top and the bottom, and loses nothing to clipping.
    const Rect inside{field.left + 2, field.top + 2, field.right - 2, field.bottom - 2};
    const Rect ink = testing::InkBounds(surface, kBlack, inside);
    EXPECT_EQ(testing::CountPixels(surface, kBlack, inside), UnclippedInk(name, Font::kDialog))
        << name;
    EXPECT_GE(ink.left - inside.left, 2) << name;
    EXPECT_GE(inside.right - ink.right, 2) << name;
    EXPECT_GE(ink.top - inside.top, 1) << name;
    EXPECT_GE(inside.bottom - ink.bottom, 1) << name;
  }
}

TEST_F(TextFitTest, RecordsRowsHoldRankNameAndFiveDigitScoreApart) {
  const DialogModel layout = DialogModel::FromTemplate(*FindDialog(res::Tables(), 1001), measure_);
  const Size client = layout.client_size();
  records::RecordTable table =
      records::DefaultRecordTable(rolvi::testing::ProgramTexts().default_names);
  // Thirteen capitals W with the largest score a record holds, and with a score of five
  // wide digits; rank 10 has the longest rank.
  records::StoreName(table[8].name, kThirteenCapitals);
  table[8].score = 58888;
  records::StoreName(table[9].name, kThirteenCapitals);
  table[9].score = records::kMaxRecordScore;

  struct Client final : DialogControls {
    explicit Client(Size size) : size_(size) {}
    std::string ItemText(int) const override { return {}; }
    void SetItemText(int, std::string_view) override {}
    void EndDialog(int) override {}
    Rect WindowRect() const override { return {0, 0, size_.width, size_.height}; }
    void MoveWindow(const Rect&) override {}
    Size ClientSize() const override { return size_; }
    void ShowMessageBox(std::string_view, std::string_view, MessageIcon) override {}
    Size size_;
  } dialog(client);
  SoftSurface surface(client.width, client.height, kWhite);
  dialogs::RecordsDialog records(Size{1024, 768}, table);
  records.OnPaint(dialog, surface);

  // Rows start 16 pixels down, 16 apart, inside 16 pixels on either side.
  for (int row = 0; row < 10; ++row) {
    const Rect area{16, 16 + 16 * row, client.width - 16, 32 + 16 * row};
    const std::string left =
        std::to_string(row + 1) + ". " +
        std::string(records::NameText(table[static_cast<std::size_t>(row)].name));
    const std::string right = std::to_string(table[static_cast<std::size_t>(row)].score);
    const int left_width = measure_.MeasureText(left, Font::kList18, false).width;
    const int right_width = measure_.MeasureText(right, Font::kList18, false).width;
    EXPECT_LT(left_width + right_width, area.width()) << left << " | " << right;
    EXPECT_EQ(testing::CountPixels(surface, kBlack, area),
              UnclippedInk(left, Font::kList18) + UnclippedInk(right, Font::kList18))
        << "row " << row + 1 << " is clipped or its texts overlap";
  }
}

// The statistics window is 164 pixels wide outside; a frame of up to 6 pixels a side (IceWM's
// win95 look; a classic dialog frame takes 3) leaves 152, and the row texts start at 44.
constexpr int kStatsRoom = 164 - 2 * 6 - 44;

TEST_F(TextFitTest, StatisticsRowsFitTheWindowWithFullBoardAndThreeDigitTallies) {
  // The ten trailing blanks only cover an earlier, longer text; they may be cut.
  const auto width = [&](int code, std::int32_t cells, std::uint32_t removed,
                         bool cut_blanks = true) {
    const dialogs::StatsRow row =
        dialogs::StatsRowText(code, cells, removed, rolvi::testing::ProgramTexts().stats_removed);
    std::string_view text = row.view();
    if (cut_blanks) text = text.substr(0, text.find_last_not_of(' ') + 1);
    return measure_.MeasureText(text, Font::kList16, false).width;
  };
  for (int code = 0; code < 8; ++code)
    EXPECT_LT(width(code, 81, 999), kStatsRoom) << "row " << code;
  // Short rows still cover what the longest left: 0 cells and nothing removed, with blanks.
  EXPECT_GE(width(1, 0, 0, false), width(1, 81, 999));
}

// IceWM's win95 title bar spans the client's width (its frame sides stand outside both); it
// holds the window-menu button and three buttons of 20 pixels each, and some padding around
// the caption. A bold title font of 12 points is about as wide as the 16-pixel main font.
int TitleRoom(const DialogModel& box) {
  return box.client_size().width - 20 - 3 * 20 - 16;
}

TEST_F(TextFitTest, MessageBoxesLeaveTheTitleBarRoomForTheirCaption) {
  struct Case {
    std::string text;
    std::string_view caption;
    bool exclamation;
  };
  const shell::Texts& texts = rolvi::testing::ProgramTexts();
  std::vector<Case> cases = {{std::string(texts.game.game_over), texts.title, true},
                             {"x", "A caption much longer than the text of its box", false}};
  for (const auto verdict : {dialogs::NameVerdict::kEmpty, dialogs::NameVerdict::kTooLong,
                             dialogs::NameVerdict::kNotLatin}) {
    cases.push_back({std::string(dialogs::NameVerdictMessage(verdict, texts.name_check)),
                     texts.name_check.caption, false});
  }
  // A record file that could not be saved, with a long folder's name.
  cases.push_back({std::string(texts.file_problems.not_saved) +
                       "\n/home/someone/.local/share/rolvi/winrolvi.res\n" +
                       std::string(texts.file_problems.not_a_file),
                   texts.title, true});
  for (const Case& c : cases) {
    const DialogModel box = DialogModel::ForMessageBox(c.text, c.caption, c.exclamation, measure_);
    EXPECT_LE(measure_.MeasureText(c.caption, Font::kMain, false).width, TitleRoom(box))
        << c.caption;
    // The OK button stays centred in the wider box.
    const Rect ok = box.controls().back().rect;
    EXPECT_NEAR(ok.left, box.client_size().width - ok.right, 1);
  }
}

}  // namespace
}  // namespace rolvi::platform::widgets
