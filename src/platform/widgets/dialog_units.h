// Dialog units: template coordinates scaled by the dialog font's average character size, a
// quarter of its width horizontally and an eighth of its height vertically.
#pragma once

#include "platform/surface.h"

namespace rolvi::platform::widgets {

struct DialogBaseUnits {
  int x = 1;  // average character width in pixels
  int y = 1;  // character height in pixels
};

// Base units from the measured width of the 52 letters A-Z a-z and the line height of the
// dialog font, rounded as a classic desktop rounds them.
DialogBaseUnits BaseUnitsFromMetrics(int width_of_52_letters, int line_height);
// Measures the dialog font on `surface`.
DialogBaseUnits MeasureBaseUnits(const Surface& surface);

int DialogUnitsToPixelsX(int units, DialogBaseUnits base);
int DialogUnitsToPixelsY(int units, DialogBaseUnits base);
// A template rectangle (x, y, width, height in dialog units) in client pixels.
Rect DialogRectToPixels(int x, int y, int width, int height, DialogBaseUnits base);

}  // namespace rolvi::platform::widgets
