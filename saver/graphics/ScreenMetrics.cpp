#include "saver/graphics/ScreenMetrics.h"

#include "platform/window.h"

ScreenMetrics ScreenMetrics::FromPlatform() {
  const double ux = platform::UnitsPerPixelX();
  const double uy = platform::UnitsPerPixelY();
  return ScreenMetrics{platform::ScreenWidthPixels() * ux, platform::ScreenHeightPixels() * uy, ux,
                       uy};
}
