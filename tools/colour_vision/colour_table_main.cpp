// rolvi_colour_table: how the seven ball colours look to eyes that lack one kind of cone, and
// in greyscale, measured on the committed ball tiles; prints Markdown tables:
//   rolvi_colour_table [--pictures DIR] [least-pixel-difference]
// The mean colour of each ball, the CIEDE2000 difference of every pair of them, and, with the
// ball symbols on and off, the smallest share of a symbol's pixels that still differ between
// two tiles by at least the given CIEDE2000 difference (default 20, as the tests take it).
// With --pictures it also writes the review pictures into DIR.
#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

#include "ball_tiles.h"
#include "review_pictures.h"

namespace {

using namespace rolvi::colour;

constexpr std::array<std::string_view, kBallColours> kNames = {"green", "red",     "blue", "yellow",
                                                               "cyan",  "magenta", "brown"};
constexpr std::array<std::string_view, kBallColours> kSymbols = {
    "triangle", "heart", "ring", "star", "diamond", "plus", "square"};

// Below these differences two balls are taken for one another, or hard to tell apart at a
// glance, when they are 25 pixels across and seen among others.
constexpr double kConfusable = 10;
constexpr double kHard = 20;

std::string Hex(rolvi::platform::Rgb c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", c.red, c.green, c.blue);
  return text;
}

void PrintMeanColours(const std::array<Tile, kBallColours>& tiles) {
  std::printf("| ball |");
  for (const Vision vision : kVisions)
    std::printf(" %s |", std::string(VisionName(vision)).c_str());
  std::printf("\n|---|");
  for (std::size_t i = 0; i < kVisions.size(); ++i)
    std::printf("---|");
  std::printf("\n");
  for (int i = 0; i < kBallColours; ++i) {
    std::printf("| %s |", std::string(kNames[static_cast<std::size_t>(i)]).c_str());
    for (const Vision vision : kVisions) {
      const LinearRgb mean = MeanBallColour(tiles[static_cast<std::size_t>(i)], vision);
      std::printf(" %s |", Hex(ToSrgb(mean)).c_str());
    }
    std::printf("\n");
  }
}

void PrintPairs(const std::array<Tile, kBallColours>& tiles) {
  std::printf("| pair |");
  for (const Vision vision : kVisions)
    std::printf(" %s |", std::string(VisionName(vision)).c_str());
  std::printf("\n|---|");
  for (std::size_t i = 0; i < kVisions.size(); ++i)
    std::printf("--:|");
  std::printf("\n");
  for (int i = 0; i < kBallColours; ++i) {
    for (int j = i + 1; j < kBallColours; ++j) {
      std::printf("| %s / %s |", std::string(kNames[static_cast<std::size_t>(i)]).c_str(),
                  std::string(kNames[static_cast<std::size_t>(j)]).c_str());
      for (const Vision vision : kVisions) {
        const double difference =
            DeltaE2000(ToLab(MeanBallColour(tiles[static_cast<std::size_t>(i)], vision)),
                       ToLab(MeanBallColour(tiles[static_cast<std::size_t>(j)], vision)));
        if (difference < kConfusable) {
          std::printf(" **%.1f** ✗ |", difference);
        } else if (difference < kHard) {
          std::printf(" %.1f ~ |", difference);
        } else {
          std::printf(" %.1f |", difference);
        }
      }
      std::printf("\n");
    }
  }
}

// For each view, the pair and symbol with the fewest differing symbol pixels.
void PrintSymbolShares(double least_difference, rolvi::gfx::BallSymbols symbols) {
  std::printf("| view | frame | smallest share | where |\n|---|---|--:|---|\n");
  for (const Vision vision : kVisions) {
    for (const int frame : {0, 6}) {
      const auto tiles = BallTiles(frame, symbols);
      double smallest = 2;
      std::string where;
      for (int i = 0; i < kBallColours; ++i) {
        for (int j = 0; j < kBallColours; ++j) {
          if (i == j) continue;
          const double share =
              DifferingShare(tiles[static_cast<std::size_t>(i)], tiles[static_cast<std::size_t>(j)],
                             SymbolMask(i + 1, frame), vision, least_difference);
          if (share < smallest) {
            smallest = share;
            where = std::string(kSymbols[static_cast<std::size_t>(i)]) + " on " +
                    std::string(kNames[static_cast<std::size_t>(i)]) + " against " +
                    std::string(kNames[static_cast<std::size_t>(j)]);
          }
        }
      }
      std::printf("| %s | %s | %.0f %% | %s |\n", std::string(VisionName(vision)).c_str(),
                  frame == 0 ? "board (at rest)" : "preview (small)", 100 * smallest,
                  where.c_str());
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  double least_difference = 20;
  std::string pictures;
  int next = 1;
  if (argc >= 3 && std::string_view(argv[1]) == "--pictures") {
    pictures = argv[2];
    next = 3;
  }
  if (argc > next + 1) {
    std::fprintf(stderr, "usage: rolvi_colour_table [--pictures DIR] [least-pixel-difference]\n");
    return 2;
  }
  if (argc == next + 1) {
    const std::string_view text = argv[next];
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), least_difference);
    if (error != std::errc{} || end != text.data() + text.size() || least_difference <= 0) {
      std::fprintf(stderr, "rolvi_colour_table: %s is not a positive number\n", argv[next]);
      return 2;
    }
  }
  const auto tiles = BallTiles(0, rolvi::gfx::BallSymbols::kOff);
  std::printf("Mean ball colours (sRGB):\n\n");
  PrintMeanColours(tiles);
  std::printf("\nCIEDE2000 between the mean ball colours (✗ below %.0f, ~ below %.0f):\n\n",
              kConfusable, kHard);
  PrintPairs(tiles);
  std::printf(
      "\nWith the symbols on: the smallest share of a symbol's pixels that differ by at"
      " least %.0f:\n\n",
      least_difference);
  PrintSymbolShares(least_difference, rolvi::gfx::BallSymbols::kOn);
  std::printf("\nThe same pixels with the symbols off:\n\n");
  PrintSymbolShares(least_difference, rolvi::gfx::BallSymbols::kOff);
  if (!pictures.empty() && !WriteReviewPictures(pictures)) {
    std::fprintf(stderr, "rolvi_colour_table: could not write the pictures into %s\n",
                 pictures.c_str());
    return 1;
  }
  return 0;
}
