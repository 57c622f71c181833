#include "platform/Dpi.h"

namespace platform {
namespace {

int dpiNow = kDesignDpi;

int scaled(int value, int by, int over) {
    const long long product = static_cast<long long>(value) * by;
    const long long half = over / 2;
    return static_cast<int>(product >= 0 ? (product + half) / over : -((-product + half) / over));
}

// value * by / over, rounded down (towards minus infinity).
int scaledDown(int value, int by, int over) {
    const long long product = static_cast<long long>(value) * by;
    return static_cast<int>(product >= 0 ? product / over : -((-product + over - 1) / over));
}

} // namespace

int displayDpi() {
    return dpiNow;
}

void setDisplayDpi(int dpi) {
    dpiNow = dpi > 0 ? dpi : kDesignDpi;
}

int toPixels(int units) {
    return scaled(units, dpiNow, kDesignDpi);
}

int toUnits(int pixels) {
    return scaled(pixels, kDesignDpi, dpiNow);
}

PixelPoint toPixels(Point units) {
    return {toPixels(units.x), toPixels(units.y)};
}

Point toUnits(PixelPoint pixels) {
    return {toUnits(pixels.x), toUnits(pixels.y)};
}

PixelRect toPixels(const Rect& units) {
    const int left = toPixels(units.left), top = toPixels(units.top);
    return {left, top, toPixels(units.right()) - left, toPixels(units.bottom()) - top};
}

Rect toUnits(const PixelRect& pixels) {
    const int left = toUnits(pixels.left), top = toUnits(pixels.top);
    return {left, top, toUnits(pixels.right()) - left, toUnits(pixels.bottom()) - top};
}

// The top-left corner rounded down, the bottom-right one up.
Rect toUnitsCovering(const PixelRect& pixels) {
    const auto down = [](int value) { return scaledDown(value, kDesignDpi, dpiNow); };
    const auto up = [&down](int value) { return -down(-value); };
    const int left = down(pixels.left), top = down(pixels.top);
    return {left, top, up(pixels.right()) - left, up(pixels.bottom()) - top};
}

PixelSize toPixels(Size units) {
    return {toPixels(units.width), toPixels(units.height)};
}

Size toUnits(PixelSize pixels) {
    return {toUnits(pixels.width), toUnits(pixels.height)};
}

} // namespace platform
