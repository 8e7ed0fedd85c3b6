#include "gfx/ball_symbols.h"

#include <cstddef>

namespace rolvi::gfx {
namespace {

// The shapes, 13 pixels for the balls on the board and 9 for the small ones of the preview
// and of a ball appearing. Each differs from the others in its outline, not only in size.
// clang-format off
constexpr SymbolPicture kLargeTriangle{13, {"......X......",
                                           ".....XoX.....",
                                           ".....XoX.....",
                                           "....XoooX....",
                                           "....XoooX....",
                                           "...XoooooX...",
                                           "...XoooooX...",
                                           "..XoooooooX..",
                                           "..XoooooooX..",
                                           ".XoooooooooX.",
                                           ".XoooooooooX.",
                                           "XoooooooooooX",
                                           "XXXXXXXXXXXXX"}};
constexpr SymbolPicture kLargeHeart{13, {".............",
                                        "..XXX...XXX..",
                                        ".XoooX.XoooX.",
                                        "XoooooXoooooX",
                                        "XoooooooooooX",
                                        "XoooooooooooX",
                                        "XoooooooooooX",
                                        ".XoooooooooX.",
                                        "..XoooooooX..",
                                        "...XoooooX...",
                                        "....XoooX....",
                                        ".....XoX.....",
                                        "......X......"}};
constexpr SymbolPicture kLargeRing{13, {"....XXXXX....",
                                       "..XXoooooXX..",
                                       ".XoooooooooX.",
                                       ".XoooXXXoooX.",
                                       "XoooX...XoooX",
                                       "XooX.....XooX",
                                       "XooX.....XooX",
                                       "XooX.....XooX",
                                       "XoooX...XoooX",
                                       ".XoooXXXoooX.",
                                       ".XoooooooooX.",
                                       "..XXoooooXX..",
                                       "....XXXXX...."}};
constexpr SymbolPicture kLargeStar{13, {"......X......",
                                       ".....XoX.....",
                                       "....XoooX....",
                                       "....XoooX....",
                                       "XXXXoooooXXXX",
                                       "XoooooooooooX",
                                       ".XoooooooooX.",
                                       "..XoooooooX..",
                                       "..XoooooooX..",
                                       ".XoooooooooX.",
                                       ".XooooXooooX.",
                                       "XoooXX.XXoooX",
                                       "XXXX.....XXXX"}};
constexpr SymbolPicture kLargeDiamond{13, {"......X......",
                                          ".....XoX.....",
                                          "....XoooX....",
                                          "...XoooooX...",
                                          "..XoooooooX..",
                                          ".XoooooooooX.",
                                          "XoooooooooooX",
                                          ".XoooooooooX.",
                                          "..XoooooooX..",
                                          "...XoooooX...",
                                          "....XoooX....",
                                          ".....XoX.....",
                                          "......X......"}};
constexpr SymbolPicture kLargePlus{13, {"....XXXXX....",
                                       "....XoooX....",
                                       "....XoooX....",
                                       "....XoooX....",
                                       "XXXXXoooXXXXX",
                                       "XoooooooooooX",
                                       "XoooooooooooX",
                                       "XoooooooooooX",
                                       "XXXXXoooXXXXX",
                                       "....XoooX....",
                                       "....XoooX....",
                                       "....XoooX....",
                                       "....XXXXX...."}};
constexpr SymbolPicture kLargeSquare{13, {".............",
                                         ".XXXXXXXXXXX.",
                                         ".XoooooooooX.",
                                         ".XoooooooooX.",
                                         ".XoooooooooX.",
                                         ".XoooooooooX.",
                                         ".XoooooooooX.",
                                         ".XoooooooooX.",
                                         ".XoooooooooX.",
                                         ".XoooooooooX.",
                                         ".XoooooooooX.",
                                         ".XXXXXXXXXXX.",
                                         "............."}};

constexpr SymbolPicture kSmallTriangle{9, {"....X....",
                                          "...XoX...",
                                          "...XoX...",
                                          "..XoooX..",
                                          "..XoooX..",
                                          ".XoooooX.",
                                          ".XoooooX.",
                                          "XoooooooX",
                                          "XXXXXXXXX"}};
constexpr SymbolPicture kSmallHeart{9, {".........",
                                       ".XX...XX.",
                                       "XooX.XooX",
                                       "XoooXoooX",
                                       "XoooooooX",
                                       ".XoooooX.",
                                       "..XoooX..",
                                       "...XoX...",
                                       "....X...."}};
constexpr SymbolPicture kSmallRing{9, {"..XXXXX..",
                                      ".XoooooX.",
                                      "XooXXXooX",
                                      "XoX...XoX",
                                      "XoX...XoX",
                                      "XoX...XoX",
                                      "XooXXXooX",
                                      ".XoooooX.",
                                      "..XXXXX.."}};
constexpr SymbolPicture kSmallStar{9, {"....X....",
                                      "...XoX...",
                                      "XXXoooXXX",
                                      "XoooooooX",
                                      ".XoooooX.",
                                      "..XoooX..",
                                      ".XooXooX.",
                                      ".XoX.XoX.",
                                      ".XX...XX."}};
constexpr SymbolPicture kSmallDiamond{9, {"....X....",
                                         "...XoX...",
                                         "..XoooX..",
                                         ".XoooooX.",
                                         "XoooooooX",
                                         ".XoooooX.",
                                         "..XoooX..",
                                         "...XoX...",
                                         "....X...."}};
constexpr SymbolPicture kSmallPlus{9, {"..XXXXX..",
                                      "..XoooX..",
                                      "XXXoooXXX",
                                      "XoooooooX",
                                      "XoooooooX",
                                      "XoooooooX",
                                      "XXXoooXXX",
                                      "..XoooX..",
                                      "..XXXXX.."}};
constexpr SymbolPicture kSmallSquare{9, {".........",
                                        ".XXXXXXX.",
                                        ".XoooooX.",
                                        ".XoooooX.",
                                        ".XoooooX.",
                                        ".XoooooX.",
                                        ".XoooooX.",
                                        ".XXXXXXX.",
                                        "........."}};
// clang-format on

// By colour 1..7: green triangle, red heart, blue ring, yellow star, cyan diamond, magenta
// plus, brown square.
constexpr std::array<const SymbolPicture*, 7> kLarge = {
    &kLargeTriangle, &kLargeHeart, &kLargeRing,  &kLargeStar,
    &kLargeDiamond,  &kLargePlus,  &kLargeSquare};
constexpr std::array<const SymbolPicture*, 7> kSmall = {
    &kSmallTriangle, &kSmallHeart, &kSmallRing,  &kSmallStar,
    &kSmallDiamond,  &kSmallPlus,  &kSmallSquare};

// The symbol's top-left corner in each frame, following the ball's centre: at rest, the
// bounce (rising, the top, falling, squashed on landing, at rest), then the small and the medium
// ball. Odd sides cannot sit on a centre between two pixels; they lean half a pixel right and
// down, away from the highlight.
constexpr std::array<platform::Point, 8> kOffsets = {{
    {12, 14},
    {12, 10},
    {12, 9},
    {12, 10},
    {12, 16},
    {12, 14},
    {14, 14},
    {14, 15},
}};
constexpr int kFirstSmallFrame = 6;

bool IsSymbolPixel(char c) {
  return c == 'X' || c == 'o';
}

}  // namespace

std::optional<SymbolPlacement> PlaceSymbol(int colour, int frame) {
  if (colour < 1 || colour > 7 || frame < 0 || frame >= static_cast<int>(kOffsets.size())) {
    return std::nullopt;
  }
  const auto index = static_cast<std::size_t>(colour - 1);
  return SymbolPlacement{frame >= kFirstSmallFrame ? kSmall[index] : kLarge[index],
                         kOffsets[static_cast<std::size_t>(frame)]};
}

void DrawBallSymbol(platform::Surface& target, int colour, int frame, int x, int y) {
  const std::optional<SymbolPlacement> place = PlaceSymbol(colour, frame);
  if (!place) return;
  const SymbolPicture& picture = *place->picture;
  const int left = x + place->offset.x;
  const int top = y + place->offset.y;
  // One fill for each run of pixels of one kind along a row.
  for (int row = 0; row < picture.side; ++row) {
    const std::string_view pixels = picture.rows[static_cast<std::size_t>(row)];
    std::size_t start = 0;
    while (start < pixels.size()) {
      const char kind = pixels[start];
      std::size_t end = start + 1;
      while (end < pixels.size() && pixels[end] == kind)
        ++end;
      if (IsSymbolPixel(kind)) {
        target.FillRect({left + static_cast<int>(start), top + row, left + static_cast<int>(end),
                         top + row + 1},
                        kind == 'X' ? kSymbolOutline : kSymbolFill);
      }
      start = end;
    }
  }
}

}  // namespace rolvi::gfx
