// rolvi_text_sample: draws the program's texts in every font on the software surface, the way
// the program lays them out, and saves the picture as a PNG for review.
//
//   rolvi_text_sample <out.png> [scale]

#include <cstdlib>
#include <iostream>
#include <string>

#include "gfx/board_renderer.h"
#include "platform/gbk/gbk_text.h"
#include "platform/software/png_writer.h"
#include "platform/software/soft_surface.h"

namespace rolvi::text_sample {
namespace {

using platform::BackgroundMode;
using platform::Font;
using platform::HorizontalAlign;
using platform::Rect;
using platform::Rgb;
using platform::SoftSurface;
using platform::TextFormat;

constexpr Rgb kFace{192, 192, 192};
constexpr Rgb kShadow{128, 128, 128};

void Label(SoftSurface& surface, Font font, const std::string& utf8, const Rect& rect,
           const TextFormat& format = {}) {
  surface.SelectFont(font);
  surface.DrawText(platform::Utf8ToGbk(utf8).value_or("<no GBK form>"), rect, format);
}

// The main window's header bar as the game draws it (etched labels, record box with its
// digits), with the preview's place left black.
void HeaderBar(SoftSurface& surface) {
  const int px = 200;
  const std::string next_group = platform::Utf8ToGbk("下组").value();
  const std::string colours = platform::Utf8ToGbk("颜色  ").value();
  gfx::DrawHeaderBar(surface, 460, px, 1234567890, {next_group, colours});
  surface.FillRect({px, 4, px + 108, 40}, platform::kBlack);
}

// A name plate of the figures: 90 by 16, black, the name centred in white.
void NamePlate(SoftSurface& surface, const std::string& utf8, int x, int y) {
  const Rect plate{x, y, x + 90, y + 16};
  surface.FillRect(plate, platform::kBlack);
  surface.SetTextColour(platform::kWhite);
  Label(surface, Font::kNamePlate, utf8, plate,
        {.align = HorizontalAlign::kCentre, .vertical_centre = true, .single_line = true});
  surface.SetTextColour(platform::kBlack);
}

int Run(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: rolvi_text_sample <out.png> [scale]\n";
    return 2;
  }
  SoftSurface surface(460, 520, kFace);
  surface.SetBackgroundMode(BackgroundMode::kTransparent);
  surface.SetTextColour(platform::kBlack);

  HeaderBar(surface);
  surface.SetTextColour(platform::kBlack);
  surface.SetBackgroundMode(BackgroundMode::kTransparent);
  int y = 52;
  Label(surface, Font::kMain, "kMain: 文件(&F)  选项(&O)  帮助(&H)   新游戏(&N) F4",
        {8, y, 452, y + 16});
  y += 18;
  Label(surface, Font::kMain, "显示排行榜(&H) 退出(&X) 下一组(&N) 显示统计(&S) 游戏规则(&R)",
        {8, y, 452, y + 16});
  y += 18;
  Label(surface, Font::kMain, "关于(&A) ...  国  王   玩  家   - 空 缺 -   玩  完  !",
        {8, y, 452, y + 16});
  y += 18;
  Label(surface, Font::kMain, "Color rolvi 0123456789 AaBbGgJjPpQqYy &&", {8, y, 452, y + 16});
  y += 26;

  Label(surface, Font::kDialog, "kDialog: 规则 排行榜 恭喜恭喜 关于 统计 错 误",
        {8, y, 452, y + 14});
  y += 16;
  Label(surface, Font::kDialog,
        "知道了(&O)  走人(&O)  确定(&O)  原来如此(&O)   输 入 大 名 :", {8, y, 452, y + 14});
  y += 16;
  Label(surface, Font::kDialog,
        "原创人员 创作人员 友情汉化  你应该输入姓名  姓名太长  你只能用拉丁字母",
        {8, y, 452, y + 14});
  y += 16;
  Label(surface, Font::kDialog, "Color rolvi 0123456789 AaBbGgJjPpQqYy && Version 1.0",
        {8, y, 452, y + 14});
  y += 20;
  // The rules dialog's text field: 144 by 49 dialog units, 252 by 86 pixels at the dialog
  // font's base units of 7 by 14.
  surface.FillRect({7, y - 1, 8 + 252 + 1, y + 87}, kShadow);
  surface.FillRect({8, y, 8 + 252, y + 86}, kFace);
  Label(surface, Font::kDialog,
        "　　游戏的目的是赢取比“国王”更多的分数。当你将5个或更多的同色小球排成一条或横或竖或斜的"
        "行时，你就得分了。你可以通过空的方格移动小球来做到这一点。 祝你成功！",
        {8, y, 8 + 252, y + 86}, {HorizontalAlign::kLeft, false, false, true, true});
  // The name plates: thirteen capitals, the default King and the Player.
  NamePlate(surface, "WWWWWWWWWWWWW", 272, y);
  NamePlate(surface, " 国  王 ", 272, y + 24);
  NamePlate(surface, "玩  家   ", 272, y + 48);
  Label(surface, Font::kNamePlate, "kNamePlate", {368, y + 2, 452, y + 16});
  y += 96;

  // Statistics rows, opaque on the face colour, vertically centred; the longest row (a full
  // board and a three-digit tally) ends inside the room the window leaves it, marked grey.
  surface.FillRect({8 + 112, y, 8 + 113, y + 36 * 3}, kShadow);
  surface.SetBackgroundMode(BackgroundMode::kOpaque);
  surface.SetBackgroundColour(kFace);
  const char* rows[] = {"76 (93%)          ", "1 (1%), 消除0          ", "81 (100%), 消除999"};
  for (const char* row : rows) {
    Label(surface, Font::kList16, row, {8, y, 8 + 112, y + 35},
          {HorizontalAlign::kLeft, true, true, false, true});
    y += 36;
  }
  surface.SetBackgroundMode(BackgroundMode::kTransparent);
  Label(surface, Font::kList16, "kList16", {200, y - 60, 300, y - 46});

  // Records list: rows 16 pixels apart, clipped to the row, 248 pixels wide as in the dialog.
  const char* names[] = {"1.  国  王 ", "2. - 空 缺 -", "10. WWWWWWWWWWWWW"};
  const char* scores[] = {"100", "0", "65535"};
  surface.FillRect({16 + 248, y, 16 + 249, y + 48}, kShadow);
  for (int i = 0; i < 3; ++i) {
    Label(surface, Font::kList18, names[i], {16, y, 16 + 248, y + 16}, {});
    Label(surface, Font::kList18, scores[i], {16, y, 16 + 248, y + 16}, {HorizontalAlign::kRight});
    y += 16;
  }
  Label(surface, Font::kList18, "kList18", {300, y - 32, 400, y - 16});
  y += 6;
  surface.SelectFont(Font::kMain);
  surface.DrawText("Undecodable: \x80 \xFF \x81\x30 \xFE\xFE", {8, y, 452, y + 16},
                   {HorizontalAlign::kLeft, false, true, false, false});

  const int scale = argc > 2 ? std::atoi(argv[2]) : 1;
  if (scale > 1) {
    SoftSurface large(surface.width() * scale, surface.height() * scale);
    for (int py = 0; py < large.height(); ++py) {
      for (int px = 0; px < large.width(); ++px) {
        large.pixels()[static_cast<std::size_t>(py * large.width() + px)] =
            surface.pixels()[static_cast<std::size_t>((py / scale) * surface.width() + px / scale)];
      }
    }
    return platform::SavePng(large, {0, 0, large.width(), large.height()}, argv[1]) ? 0 : 1;
  }
  return platform::SavePng(surface, {0, 0, surface.width(), surface.height()}, argv[1]) ? 0 : 1;
}

}  // namespace
}  // namespace rolvi::text_sample

int main(int argc, char** argv) {
  return rolvi::text_sample::Run(argc, argv);
}
