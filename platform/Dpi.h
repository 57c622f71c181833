#pragma once
// Display scaling. Every figure the windows give (places, sizes, cells, pen widths, fonts in
// points) is in design units of 1/96 inch, as on a screen at 100 %; the backends alone turn them
// into the display's pixels and the pixels they are told about (pointer, screen) back into
// units, always through these functions, so that each figure is rounded once. At 96 dots per
// inch a unit is a pixel and nothing changes.
//
// One figure serves every window: the program's windows all hang from the bar on one monitor.
// When the system moves them to a monitor of another scale, the backend sets the new figure and
// the windows lay themselves out again.

#include "platform/Geometry.h"

namespace platform {

constexpr int kDesignDpi = 96;

// The display's dots per inch; kDesignDpi until a backend or a test sets another.
int displayDpi();
void setDisplayDpi(int dpi);

// Units to pixels, rounded to the nearest (halves away from zero), and back.
int toPixels(int units);
int toUnits(int pixels);
PixelPoint toPixels(Point units);
Point toUnits(PixelPoint pixels);
// Both corners are converted, so that rectangles that meet in units meet in pixels too.
PixelRect toPixels(const Rect& units);
Rect toUnits(const PixelRect& pixels);
PixelSize toPixels(Size units);
Size toUnits(PixelSize pixels);
// The smallest rectangle in units whose pixels hold every pixel of `pixels`: what must be
// painted for an area the system asks for.
Rect toUnitsCovering(const PixelRect& pixels);

} // namespace platform
