// The program icon: a crowned glossy ball, as a 32 x 32 16-colour ICO for the Windows
// resource, as a large RGBA PNG for the desktop entry and the page's manifest, and as a
// maskable one (the picture on an opaque tile) that phones may crop to their own shape.
#pragma once

#include "raster.h"
#include "writers.h"

namespace rolvi::artgen {

// The icon drawn at `size` pixels square, transparent around the picture.
Image IconArt(int size);
Bytes IconIco();
Bytes IconPng(int size, PngRows rows = PngRows::kUnfiltered);
// The icon on an opaque teal tile that fills the square, the picture inside the central circle
// of 40 % of the size that every mask keeps.
Image MaskableIconArt(int size);
Bytes MaskableIconPng(int size);

}  // namespace rolvi::artgen
