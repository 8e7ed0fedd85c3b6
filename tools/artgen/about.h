// The about box's logo: a 67 x 50 picture in four greys on black (4 bits per pixel, a six-entry
// table) and its 1-bit mask, black where the picture is and white where the dialog shows.
#pragma once

#include "writers.h"

namespace rolvi::artgen {

inline constexpr int kAboutWidth = 67;
inline constexpr int kAboutHeight = 50;

struct AboutArt {
  IndexedImage picture;  // indices into AboutPictureTable()
  IndexedImage mask;     // 0 black (picture), 1 white (dialog)
};

std::vector<Srgb8> AboutPictureTable();
std::vector<Srgb8> AboutMaskTable();
AboutArt BuildAboutArt();

}  // namespace rolvi::artgen
