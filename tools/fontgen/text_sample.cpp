// rolvi_text_sample: draws the program's texts in every font on the software surface, the way
// the program lays them out, and saves the picture as a PNG for review.
//
//   rolvi_text_sample <out.png> [scale]

#include <iconv.h>

#include <cstdlib>
#include <iostream>
#include <string>

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

std::string Gbk(const std::string& utf8) {
  iconv_t converter = iconv_open("GBK", "UTF-8");
  std::string out(utf8.size() * 2 + 4, '\0');
  char* in_ptr = const_cast<char*>(utf8.data());
  char* out_ptr = out.data();
  std::size_t in_left = utf8.size();
  std::size_t out_left = out.size();
  iconv(converter, &in_ptr, &in_left, &out_ptr, &out_left);
  iconv_close(converter);
  out.resize(out.size() - out_left);
  return out;
}

constexpr Rgb kFace{192, 192, 192};
constexpr Rgb kShadow{128, 128, 128};

void Label(SoftSurface& surface, Font font, const std::string& utf8, const Rect& rect,
           const TextFormat& format = {}) {
  surface.SelectFont(font);
  surface.DrawText(Gbk(utf8), rect, format);
}

// The main window's header bar: the two labels with their shadow copy, as the game draws them.
void HeaderBar(SoftSurface& surface, int top) {
  surface.FillRect({0, top, 460, top + 43}, kFace);
  surface.SetBackgroundMode(BackgroundMode::kTransparent);
  surface.SelectFont(Font::kMain);
  const int px = 200;
  const std::string next = Gbk("下组");
  const std::string colours = Gbk("颜色  ");
  surface.SetTextColour(kShadow);
  surface.DrawText(next, {px - 79, top + 15, px - 15, top + 31}, {HorizontalAlign::kRight});
  surface.SetTextColour(platform::kWhite);
  surface.DrawText(next, {px - 79, top + 14, px - 16, top + 31}, {HorizontalAlign::kRight});
  surface.SetTextColour(kShadow);
  surface.DrawText(colours, {px + 125, top + 15, px + 189, top + 31}, {});
  surface.SetTextColour(platform::kWhite);
  surface.DrawText(colours, {px + 124, top + 14, px + 189, top + 31}, {});
  surface.FillRect({px, top + 4, px + 108, top + 40}, platform::kBlack);
  surface.FillRect({24, top + 14, 88, top + 30}, platform::kBlack);
  surface.DrawText("4294967295", {24, top + 14, 80, top + 30}, {HorizontalAlign::kRight});
}

int Run(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: rolvi_text_sample <out.png> [scale]\n";
    return 2;
  }
  SoftSurface surface(460, 520, kFace);
  surface.SetBackgroundMode(BackgroundMode::kTransparent);
  surface.SetTextColour(platform::kBlack);

  HeaderBar(surface, 0);
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
        {8, y, 452, y + 13});
  y += 15;
  Label(surface, Font::kDialog,
        "知道了(&O)  走人(&O)  确定(&O)  原来如此(&O)   输 入 大 名 :", {8, y, 452, y + 13});
  y += 15;
  Label(surface, Font::kDialog,
        "原创人员 创作人员 友情汉化  你应该输入姓名  姓名太长  你只能用拉丁字母",
        {8, y, 452, y + 13});
  y += 15;
  Label(surface, Font::kDialog, "Color rolvi 0123456789 AaBbGgJjPpQqYy && Version 1.0",
        {8, y, 452, y + 13});
  y += 19;
  // The rules dialog's text field: 144 by 49 dialog units at the 12-pixel font.
  surface.FillRect({7, y - 1, 8 + 216 + 1, y + 74}, kShadow);
  surface.FillRect({8, y, 8 + 216, y + 73}, kFace);
  Label(surface, Font::kDialog,
        "　　游戏的目的是赢取比“国王”更多的分数。当你将5个或更多的同色小球排成一条或横或竖或斜的"
        "行时，你就得分了。你可以通过空的方格移动小球来做到这一点。 祝你成功！",
        {8, y, 8 + 216, y + 73}, {HorizontalAlign::kLeft, false, false, true, true});
  // The same text wrapped at the main font.
  Label(surface, Font::kMain,
        "　　游戏的目的是赢取比“国王”更多的分数。当你将5个或更多的同色小球排成一条或横或竖或斜的"
        "行时，你就得分了。你可以通过空的方格移动小球来做到这一点。 祝你成功！",
        {236, y, 452, y + 96}, {HorizontalAlign::kLeft, false, false, true, true});
  y += 100;

  // Statistics rows: 16-pixel list font, opaque on the face colour, vertically centred.
  surface.SetBackgroundMode(BackgroundMode::kOpaque);
  surface.SetBackgroundColour(kFace);
  const char* rows[] = {"kList16: 76 (93%)          ", "1 (1%), 消除0          ",
                        "12 (14%), 消除25          "};
  for (const char* row : rows) {
    Label(surface, Font::kList16, row, {8, y, 300, y + 35},
          {HorizontalAlign::kLeft, true, true, false, true});
    y += 36;
  }
  surface.SetBackgroundMode(BackgroundMode::kTransparent);

  // Records list: 18-pixel list font, rows 16 pixels apart, clipped to the row.
  const char* names[] = {"1.  国  王 ", "2. - 空 缺 -", "10. Jiggly Puppy"};
  const char* scores[] = {"100", "0", "4294967295"};
  for (int i = 0; i < 3; ++i) {
    Label(surface, Font::kList18, names[i], {16, y, 300, y + 16}, {});
    Label(surface, Font::kList18, scores[i], {16, y, 300, y + 16}, {HorizontalAlign::kRight});
    y += 16;
  }
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
