#include "platform/widgets/dialog_units.h"

namespace rolvi::platform::widgets {
namespace {

// units * base / divisor, rounded half away from zero.
int Scale(int units, int base, int divisor) {
  const long long product = static_cast<long long>(units) * base;
  const long long half = divisor / 2;
  const long long rounded = product >= 0 ? (product + half) / divisor : (product - half) / divisor;
  return static_cast<int>(rounded);
}

}  // namespace

DialogBaseUnits BaseUnitsFromMetrics(int width_of_52_letters, int line_height) {
  DialogBaseUnits base;
  base.x = width_of_52_letters > 0 ? (width_of_52_letters / 26 + 1) / 2 : 1;
  base.y = line_height > 0 ? line_height : 1;
  if (base.x < 1) base.x = 1;
  return base;
}

DialogBaseUnits MeasureBaseUnits(const Surface& surface) {
  const Size letters = surface.MeasureText("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz",
                                           Font::kDialog, false);
  return BaseUnitsFromMetrics(letters.width, letters.height);
}

int DialogUnitsToPixelsX(int units, DialogBaseUnits base) {
  return Scale(units, base.x, 4);
}
int DialogUnitsToPixelsY(int units, DialogBaseUnits base) {
  return Scale(units, base.y, 8);
}

Rect DialogRectToPixels(int x, int y, int width, int height, DialogBaseUnits base) {
  const int left = DialogUnitsToPixelsX(x, base);
  const int top = DialogUnitsToPixelsY(y, base);
  return Rect{left, top, left + DialogUnitsToPixelsX(width, base),
              top + DialogUnitsToPixelsY(height, base)};
}

}  // namespace rolvi::platform::widgets
