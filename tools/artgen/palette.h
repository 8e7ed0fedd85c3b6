// The sheet's 256-colour palette: shading ramps for every material of the artwork (greys,
// the seven ball colours, gold, skin, stone, the cell face, steel), completed with the
// colours the rendered pictures need most, and the mapping of true colour onto it.
#pragma once

#include <cstddef>
#include <vector>

#include "raster.h"
#include "writers.h"

namespace rolvi::artgen {

// Base colours of the ball columns 1..7 (index 0 unused): green, red, blue, yellow, cyan,
// magenta, brown. Lightness differs between neighbours so that they part without hue too.
Color BallBase(int colour);

// Ramp of `count` shades of `base`, lit from `lowest` to `highest` (see Lit).
std::vector<Srgb8> Ramp(Color base, int count, float lowest, float highest);

// The designed entries: ramps for every material.
std::vector<Srgb8> DesignedEntries();

// Adds colours to `entries` until there are `total`, each time taking the colour of `pixels`
// that the palette so far shows worst (error weighted by how often it occurs).
std::vector<Srgb8> CompletePalette(std::vector<Srgb8> entries, const std::vector<Srgb8>& pixels,
                                   std::size_t total);

std::uint8_t NearestIndex(const std::vector<Srgb8>& palette, Srgb8 colour);

// Maps every pixel onto its nearest palette entry.
IndexedImage Quantize(const Image& image, const std::vector<Srgb8>& palette);

}  // namespace rolvi::artgen
