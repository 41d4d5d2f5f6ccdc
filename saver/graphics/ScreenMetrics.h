#pragma once
// The screen size and the layout units per pixel, as the graphics classes need them. Kept
// as a value so that tests choose a screen and the program passes the real one.
#include <cstdint>

struct ScreenMetrics {
  double dWidthUnits = 0;   // screen width in layout units
  double dHeightUnits = 0;  // screen height in layout units
  double dUnitsPerPixelX = 1;
  double dUnitsPerPixelY = 1;

  // The real screen, from the window system.
  static ScreenMetrics FromPlatform();
  // A screen of the given pixel size at one layout unit per pixel.
  static ScreenMetrics Pixels(int32_t lWidth, int32_t lHeight) {
    return ScreenMetrics{static_cast<double>(lWidth), static_cast<double>(lHeight), 1, 1};
  }
};
