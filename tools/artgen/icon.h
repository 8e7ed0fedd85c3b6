// The program icon: a crowned glossy ball, as a 32 x 32 16-colour ICO for the Windows
// resource and as a large RGBA PNG for the desktop entry.
#pragma once

#include "raster.h"
#include "writers.h"

namespace rolvi::artgen {

// The icon drawn at `size` pixels square, transparent around the picture.
Image IconArt(int size);
Bytes IconIco();
Bytes IconPng(int size);

}  // namespace rolvi::artgen
