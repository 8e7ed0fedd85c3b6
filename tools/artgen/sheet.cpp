#include "sheet.h"

#include <array>
#include <cstdint>

#include "cells.h"
#include "figures.h"
#include "palette.h"
#include "pillar.h"

namespace rolvi::artgen {
namespace {

constexpr int kKingFrames = 7;
constexpr int kCellTop = 225;

struct Region {
  int x, y, w, h;
};

Region KingRegion(int k) {
  return {1 + 73 * k, 0, 72, 100};
}
constexpr Region kPlayerRegion{1, 100, 72, 100};
Region CrownRegion(int j) {
  return {23 + 51 * j, 100, 50, 65};
}
constexpr Region kPillarRegion{420, 100, 45, 125};
constexpr Region kFootRegion{1, 201, 58, 9};
Region CellRegion(int colour, int frame) {
  return {36 * colour, kCellTop + 36 * frame, 36, 36};
}

// A true-colour screen for the mock-ups, drawn the way the game draws.
struct Screen {
  int width;
  int height;
  std::vector<Srgb8> pixels;

  Screen(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w * h)) {}
  void Put(int x, int y, Srgb8 c) {
    if (x >= 0 && y >= 0 && x < width && y < height)
      pixels[static_cast<std::size_t>(y * width + x)] = c;
  }
  void Fill(int left, int top, int right, int bottom, Srgb8 c) {
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x)
        Put(x, y, c);
    }
  }
  void Copy(const SpriteSheetArt& sheet, Region from, int dx, int dy, int rows) {
    for (int y = 0; y < rows; ++y) {
      for (int x = 0; x < from.w; ++x)
        Put(dx + x, dy + y, sheet.palette[sheet.pixels.at(from.x + x, from.y + y)]);
    }
  }
  void Copy(const SpriteSheetArt& sheet, Region from, int dx, int dy) {
    Copy(sheet, from, dx, dy, from.h);
  }
  Bytes Png(int zoom) const {
    std::vector<std::uint8_t> rgba;
    for (int y = 0; y < height * zoom; ++y) {
      for (int x = 0; x < width * zoom; ++x) {
        const Srgb8 c = pixels[static_cast<std::size_t>((y / zoom) * width + x / zoom)];
        rgba.insert(rgba.end(), {c.r, c.g, c.b, 255});
      }
    }
    return EncodePngRgba(width * zoom, height * zoom, rgba);
  }
};

constexpr Srgb8 kFace{192, 192, 192};
constexpr Srgb8 kHighlight{255, 255, 255};
constexpr Srgb8 kShadow{128, 128, 128};

void ScoreBox(Screen& s, int x, int y) {
  s.Fill(x + 4, y + 4, x + 68, y + 20, {0, 0, 0});
  for (int i = 0; i < 71; ++i)
    s.Put(x + i, y, kHighlight);
  for (int i = 0; i < 24; ++i)
    s.Put(x, y + i, kHighlight);
  for (int i = 1; i < 72; ++i)
    s.Put(x + i, y + 23, kShadow);
  for (int i = 1; i < 24; ++i)
    s.Put(x + 71, y + i, kShadow);
}

struct FigureState {
  int king_offset;
  int king_frame;
  int player_offset;
  int crown_frame;
};

Screen MockUp(const SpriteSheetArt& sheet, const FigureState& f, std::uint32_t seed) {
  Screen s(612, 374);
  // Header bar, score boxes and the preview.
  s.Fill(0, 0, 612, 43, kFace);
  for (int x = 0; x < 612; ++x) {
    s.Put(x, 0, kShadow);
    s.Put(x, 1, kHighlight);
    s.Put(x, 43, kShadow);
    s.Put(x, 42, kHighlight);
  }
  ScoreBox(s, 24, 10);
  ScoreBox(s, 516, 10);
  const std::array<int, 3> next = {3, 4, 6};
  for (int i = 0; i < 3; ++i)
    s.Copy(sheet, CellRegion(next[static_cast<std::size_t>(i)], 6), 252 + 36 * i, 5);
  // The board with its frame and a scattering of balls in several frames.
  const int bx = 142;
  const int by = 45;
  for (int i = 0; i <= 327; ++i) {
    s.Put(bx + i, by, {255, 255, 255});
    s.Put(bx, by + i, {255, 255, 255});
  }
  for (int i = 1; i <= 326; ++i)
    s.Put(bx + i, by + 327, {85, 85, 85});
  for (int i = 1; i <= 327; ++i)
    s.Put(bx + 327, by + i, {85, 85, 85});
  std::uint32_t random = seed;
  for (int row = 0; row < 9; ++row) {
    for (int col = 0; col < 9; ++col) {
      random = random * 1103515245u + 12345u;
      const int roll = static_cast<int>((random >> 16) % 16);
      const int colour = roll < 7 ? roll + 1 : 0;
      const int frame = (row == 4 && col == 4) ? 3 : (row == 2 && col == 6) ? 8 : 0;
      s.Copy(sheet, CellRegion(colour == 0 && frame != 0 ? 5 : colour, frame), bx + 2 + 36 * col,
             by + 2 + 36 * row);
    }
  }
  // The two figures, full draws.
  const int kx = 42;
  const int px = 512;
  const int base_y = 304;
  s.Copy(sheet, kFootRegion, kx, base_y - 9);
  s.Copy(sheet, kPillarRegion, kx + 6, base_y - 134 + f.king_offset, 125 - f.king_offset);
  s.Fill(kx - 16, base_y + 8, kx + 74, base_y + 24, {0, 0, 0});
  s.Copy(sheet, KingRegion(f.king_frame), kx - 1, base_y - 234 + f.king_offset);
  s.Copy(sheet, kFootRegion, px, base_y - 9);
  s.Copy(sheet, kPillarRegion, px + 6, base_y - 134 + f.player_offset, 125 - f.player_offset);
  s.Copy(sheet, kPlayerRegion, px - 10, base_y - 234 + f.player_offset);
  if (f.crown_frame != 0)
    s.Copy(sheet, CrownRegion(f.crown_frame), px - 10, base_y - 228 + f.player_offset);
  return s;
}

// A strip of regions side by side on a dark grey ground, for review.
Screen Strip(const SpriteSheetArt& sheet, const std::vector<Region>& regions) {
  int w = 2;
  int h = 0;
  for (const Region& r : regions) {
    w += r.w + 2;
    h = std::max(h, r.h);
  }
  Screen s(w, h + 4);
  s.Fill(0, 0, w, h + 4, {48, 48, 56});
  int x = 2;
  for (const Region& r : regions) {
    s.Copy(sheet, r, x, 2);
    x += r.w + 2;
  }
  return s;
}

}  // namespace

SpriteSheetArt BuildSpriteSheet() {
  Image art(kSheetWidth, kSheetHeight, Color{});
  for (int k = 0; k < kKingFrames; ++k)
    art.Blit(KingArt(k), KingRegion(k).x, KingRegion(k).y);
  for (int x = 0; x < kSheetWidth; x += 73) {
    for (int y = 0; y < 100; ++y)
      art.at(x, y) = Color{1.f, 1.f, 1.f};
  }
  art.Blit(PlayerArt(), kPlayerRegion.x, kPlayerRegion.y);
  for (int j = 1; j <= 6; ++j)
    art.Blit(CrownOverlayArt(j), CrownRegion(j).x, CrownRegion(j).y);
  art.Blit(PillarArt(), kPillarRegion.x, kPillarRegion.y);
  art.Blit(FootPlateArt(), kFootRegion.x, kFootRegion.y);
  for (int colour = 0; colour < 8; ++colour) {
    for (int frame = 0; frame < kTileFrames; ++frame) {
      art.Blit(CellTileArt(colour, frame), CellRegion(colour, frame).x,
               CellRegion(colour, frame).y);
    }
  }
  std::vector<Srgb8> colours;
  colours.reserve(art.pixels.size());
  for (const Color& c : art.pixels)
    colours.push_back(ToSrgb8(c));
  SpriteSheetArt sheet;
  sheet.palette = CompletePalette(DesignedEntries(), colours, 256);
  sheet.pixels = Quantize(art, sheet.palette);
  return sheet;
}

Bytes SheetBmp(const SpriteSheetArt& sheet) {
  return EncodeBmp(sheet.pixels, sheet.palette, 8, 0);
}

bool WriteSheetReview(const SpriteSheetArt& sheet, const std::string& dir) {
  bool ok = WriteFile(dir + "/sheet_2x.png", EncodeIndexedPng(sheet.pixels, sheet.palette, 2));
  std::vector<Region> king;
  for (int k = 0; k < kKingFrames; ++k)
    king.push_back(KingRegion(k));
  ok = WriteFile(dir + "/king_frames_4x.png", Strip(sheet, king).Png(4)) && ok;
  std::vector<Region> player = {kPlayerRegion};
  for (int j = 1; j <= 6; ++j)
    player.push_back(CrownRegion(j));
  ok = WriteFile(dir + "/player_and_crowns_4x.png", Strip(sheet, player).Png(4)) && ok;
  ok = WriteFile(dir + "/pillar_and_foot_4x.png",
                 Strip(sheet, {kPillarRegion, kFootRegion}).Png(4)) &&
       ok;
  ok = WriteFile(dir + "/cells_3x.png", Strip(sheet, {{0, kCellTop, 288, 360}}).Png(3)) && ok;
  for (int colour : {2, 4}) {
    std::vector<Region> frames;
    for (int f = 0; f < kTileFrames; ++f)
      frames.push_back(CellRegion(colour, f));
    ok = WriteFile(dir + "/ball_frames_" + std::to_string(colour) + "_6x.png",
                   Strip(sheet, frames).Png(6)) &&
         ok;
  }
  ok = WriteFile(dir + "/mockup_chasing_2x.png", MockUp(sheet, {0, 0, 40, 0}, 7).Png(2)) && ok;
  ok = WriteFile(dir + "/mockup_beaten_2x.png", MockUp(sheet, {70, 6, 0, 6}, 11).Png(2)) && ok;
  return ok;
}

std::string CheckOverlays() {
  const Image plain = PlayerArt();
  for (int j = 1; j <= 6; ++j) {
    const Image full = PlayerWithOverlay(j);
    for (int y = 0; y < kFigureHeight; ++y) {
      for (int x = 0; x < kFigureWidth; ++x) {
        const bool inside =
            x < kOverlayWidth && y >= kOverlayTop && y < kOverlayTop + kOverlayHeight;
        if (inside) continue;
        if (!(ToSrgb8(full.at(x, y)) == ToSrgb8(plain.at(x, y)))) {
          return "crown overlay " + std::to_string(j) + " changes the Player at (" +
                 std::to_string(x) + ", " + std::to_string(y) + ")";
        }
      }
    }
  }
  return "";
}

}  // namespace rolvi::artgen
