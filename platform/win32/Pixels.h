#pragma once
// The system's rectangles and points are in the display's pixels: these carry them to and from
// ours, so that a figure from the system can only become units through platform/Dpi.h.

#include "platform/Geometry.h"

#include <windows.h>

namespace platform::win32 {

inline PixelRect pixelRectOf(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

inline RECT toRECT(const PixelRect& r) {
    return {r.left, r.top, r.right(), r.bottom()};
}

inline PixelPoint pixelPointOf(POINT p) {
    return {p.x, p.y};
}

inline POINT toPOINT(PixelPoint p) {
    return {p.x, p.y};
}

} // namespace platform::win32
