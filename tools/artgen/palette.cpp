#include "palette.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <unordered_map>

namespace rolvi::artgen {
namespace {

// Weighted distance in sRGB: green counts most, blue least, as the eye does.
int Distance(Srgb8 a, Srgb8 b) {
  const int dr = a.r - b.r;
  const int dg = a.g - b.g;
  const int db = a.b - b.b;
  return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

std::uint32_t Key(Srgb8 c) {
  return (static_cast<std::uint32_t>(c.r) << 16) | (static_cast<std::uint32_t>(c.g) << 8) | c.b;
}

}  // namespace

Color BallBase(int colour) {
  switch (colour) {
    case 1:
      return FromHex(0x3CC43C);  // green, fairly light
    case 2:
      return FromHex(0xE42A2A);  // red, mid-dark
    case 3:
      return FromHex(0x2848E0);  // blue, dark
    case 4:
      return FromHex(0xFCDC28);  // yellow, lightest
    case 5:
      return FromHex(0x2CD4E4);  // cyan, light
    case 6:
      return FromHex(0xD838C8);  // magenta, mid
    case 7:
      return FromHex(0x5C2E10);  // brown, darkest
    default:
      return FromHex(0x808080);
  }
}

std::vector<Srgb8> Ramp(Color base, int count, float lowest, float highest) {
  std::vector<Srgb8> ramp;
  for (int i = 0; i < count; ++i) {
    const float t = count > 1 ? static_cast<float>(i) / static_cast<float>(count - 1) : 0.f;
    // Spread the shades evenly in perceived lightness rather than in linear light.
    const float lo = std::pow(lowest, 1.f / 2.2f);
    const float hi = highest <= 1.f ? std::pow(highest, 1.f / 2.2f) : highest;
    float light = lo + (hi - lo) * t;
    if (light <= 1.f) light = std::pow(light, 2.2f);
    ramp.push_back(ToSrgb8(Lit(base, light)));
  }
  return ramp;
}

std::vector<Srgb8> DesignedEntries() {
  std::vector<Srgb8> entries;
  for (int i = 0; i < 24; ++i) {
    const auto v = static_cast<std::uint8_t>((255 * i + 11) / 23);
    entries.push_back({v, v, v});
  }
  auto append = [&entries](const std::vector<Srgb8>& ramp) {
    entries.insert(entries.end(), ramp.begin(), ramp.end());
  };
  for (int colour = 1; colour <= 7; ++colour) {
    append(Ramp(BallBase(colour), 14, 0.05f, 1.f));
    append(Ramp(BallBase(colour), 6, 1.12f, 1.8f));
  }
  append(Ramp(FromHex(0xE8B030), 12, 0.08f, 1.6f));   // gold
  append(Ramp(FromHex(0xF0BC96), 8, 0.2f, 1.15f));    // skin
  append(Ramp(FromHex(0xD8CFBE), 10, 0.12f, 1.15f));  // stone
  append(Ramp(FromHex(0xB4B8C0), 10, 0.3f, 1.35f));   // cell face
  append(Ramp(FromHex(0xB8C4D8), 6, 0.25f, 1.5f));    // steel
  return entries;
}

std::vector<Srgb8> CompletePalette(std::vector<Srgb8> entries, const std::vector<Srgb8>& pixels,
                                   std::size_t total) {
  // Ordered map: the order of the candidates, and so the result, is fixed.
  std::map<std::uint32_t, int> histogram;
  for (const Srgb8& p : pixels)
    ++histogram[Key(p)];
  struct Candidate {
    Srgb8 colour;
    float weight;
    int error;
  };
  std::vector<Candidate> candidates;
  for (const auto& [key, count] : histogram) {
    const Srgb8 c{static_cast<std::uint8_t>(key >> 16),
                  static_cast<std::uint8_t>((key >> 8) & 0xFF),
                  static_cast<std::uint8_t>(key & 0xFF)};
    int best = 1 << 30;
    for (const Srgb8& e : entries)
      best = std::min(best, Distance(c, e));
    candidates.push_back({c, std::sqrt(static_cast<float>(count)), best});
  }
  while (entries.size() < total && !candidates.empty()) {
    std::size_t pick = 0;
    float pick_score = -1.f;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
      const float score = candidates[i].weight * static_cast<float>(candidates[i].error);
      if (score > pick_score) {
        pick_score = score;
        pick = i;
      }
    }
    const Srgb8 chosen = candidates[pick].colour;
    entries.push_back(chosen);
    for (Candidate& c : candidates)
      c.error = std::min(c.error, Distance(c.colour, chosen));
  }
  while (entries.size() < total)
    entries.push_back({0, 0, 0});
  return entries;
}

std::uint8_t NearestIndex(const std::vector<Srgb8>& palette, Srgb8 colour) {
  std::size_t best = 0;
  int best_distance = 1 << 30;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const int d = Distance(colour, palette[i]);
    if (d < best_distance) {
      best_distance = d;
      best = i;
    }
  }
  return static_cast<std::uint8_t>(best);
}

IndexedImage Quantize(const Image& image, const std::vector<Srgb8>& palette) {
  IndexedImage out{image.width, image.height,
                   std::vector<std::uint8_t>(static_cast<std::size_t>(image.width * image.height))};
  std::unordered_map<std::uint32_t, std::uint8_t> cache;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const Srgb8 c = ToSrgb8(image.at(x, y));
      const auto [it, fresh] = cache.try_emplace(Key(c), 0);
      if (fresh) it->second = NearestIndex(palette, c);
      out.at(x, y) = it->second;
    }
  }
  return out;
}

}  // namespace rolvi::artgen
