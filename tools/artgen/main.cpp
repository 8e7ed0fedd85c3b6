// rolvi_artgen: draws all of the game's artwork from code and writes it into a directory:
//   rolvi_artgen <out-dir> [<review-dir>]
// writes sprites.deflate, about.bmp, about_mask.bmp, rolvi.ico, rolvi.png and the page's
// icons (rolvi-192.png, rolvi-512.png, rolvi-maskable-512.png) into <out-dir> and, when given, the
// enlarged review pictures and screen mock-ups into <review-dir>.
//   rolvi_artgen --icons <out-dir> <size>...
// draws only the program icon, as rolvi-<size>.png for each size (the desktop's icon theme).
#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

#include "about.h"
#include "icon.h"
#include "sheet.h"
#include "writers.h"

namespace {

// The icon at each size named on the command line, from 16 to 1024 pixels.
int WriteIcons(const std::string& out, int count, char** sizes) {
  using namespace rolvi::artgen;
  bool ok = count > 0;
  for (int i = 0; i < count; ++i) {
    const std::string_view text = sizes[i];
    int size = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
    if (error != std::errc{} || end != text.data() + text.size() || size < 16 || size > 1024) {
      std::fprintf(stderr, "rolvi_artgen: icon size %s is not a number from 16 to 1024\n",
                   sizes[i]);
      return 2;
    }
    ok = WriteFile(out + "/rolvi-" + std::string(text) + ".png", IconPng(size)) && ok;
  }
  if (!ok) {
    std::fprintf(stderr, "rolvi_artgen: could not write the icons\n");
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace rolvi::artgen;
  if (argc >= 3 && std::string_view(argv[1]) == "--icons")
    return WriteIcons(argv[2], argc - 3, argv + 3);
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr,
                 "usage: rolvi_artgen <out-dir> [<review-dir>]\n"
                 "       rolvi_artgen --icons <out-dir> <size>...\n");
    return 2;
  }
  const std::string out = argv[1];
  if (const std::string fault = CheckOverlays(); !fault.empty()) {
    std::fprintf(stderr, "rolvi_artgen: %s\n", fault.c_str());
    return 1;
  }
  const SpriteSheetArt sheet = BuildSpriteSheet();
  const Bytes bmp = SheetBmp(sheet);
  const AboutArt about = BuildAboutArt();
  bool ok = WriteFile(out + "/sprites.deflate", DeflateRaw(bmp));
  ok = WriteFile(out + "/about.bmp", EncodeBmp(about.picture, AboutPictureTable(), 4, 6)) && ok;
  ok = WriteFile(out + "/about_mask.bmp", EncodeBmp(about.mask, AboutMaskTable(), 1, 2)) && ok;
  ok = WriteFile(out + "/rolvi.ico", IconIco()) && ok;
  ok = WriteFile(out + "/rolvi.png", IconPng(128)) && ok;
  // The page's manifest names these for home screens and app launchers.
  ok = WriteFile(out + "/rolvi-192.png", IconPng(192, PngRows::kFiltered)) && ok;
  ok = WriteFile(out + "/rolvi-512.png", IconPng(512, PngRows::kFiltered)) && ok;
  ok = WriteFile(out + "/rolvi-maskable-512.png", MaskableIconPng(512)) && ok;
  if (argc == 3) {
    const std::string review = argv[2];
    ok = WriteSheetReview(sheet, review) && ok;
    ok = WriteFile(review + "/about_8x.png",
                   EncodeIndexedPng(about.picture, AboutPictureTable(), 8)) &&
         ok;
    ok = WriteFile(review + "/icon_32.png", EncodePng(IconArt(32), true)) && ok;
  }
  if (!ok) {
    std::fprintf(stderr, "rolvi_artgen: could not write every file\n");
    return 1;
  }
  std::printf("rolvi_artgen: sheet %zu bytes\n", bmp.size());
  return 0;
}
