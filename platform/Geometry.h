#pragma once
// Points, sizes and rectangles, each in one measure: the design units every window gives its
// figures in (1/96 inch), or the display's pixels, which only the backends hold. The two do not
// mix: a figure changes measure only through the conversions in platform/Dpi.h.

namespace platform {

struct InUnits {};
struct InPixels {};

template <class Measure> struct BasicPoint {
    int x = 0;
    int y = 0;
    bool operator==(const BasicPoint& other) const { return x == other.x && y == other.y; }
    bool operator!=(const BasicPoint& other) const { return !(*this == other); }
};

template <class Measure> struct BasicSize {
    int width = 0;
    int height = 0;
    bool operator==(const BasicSize& other) const {
        return width == other.width && height == other.height;
    }
};

template <class Measure> struct BasicRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    using Point = BasicPoint<Measure>;

    int right() const { return left + width; }  // first column outside
    int bottom() const { return top + height; } // first row outside
    // Three rules for a point on the rectangle's edge; each hit test names the one it keeps.
    // Half-open: the right and bottom edges are outside, as for a window's client area.
    bool contains(Point p) const {
        return p.x >= left && p.x < right() && p.y >= top && p.y < bottom();
    }
    // Strict: every edge is outside.
    bool containsStrictly(Point p) const {
        return p.x > left && p.x < right() && p.y > top && p.y < bottom();
    }
    // Closed: every edge is inside, the right and bottom ones too.
    bool containsWithEdges(Point p) const {
        return p.x >= left && p.x <= right() && p.y >= top && p.y <= bottom();
    }
    BasicRect offset(Point by) const { return {left + by.x, top + by.y, width, height}; }
    // Moved sideways as little as it takes to end within `area`, but never to start before it,
    // and cut off at the area's bottom: where a window hung from a point of the area goes.
    BasicRect hungWithin(const BasicRect& area) const {
        const int from = right() > area.right() ? area.right() - width : left;
        const int room = area.bottom() - top;
        return {from < area.left ? area.left : from, top, width, height > room ? room : height};
    }
    // Whether the two share at least one pixel.
    bool intersects(const BasicRect& other) const {
        return left < other.right() && other.left < right() && top < other.bottom() &&
               other.top < bottom();
    }
    bool operator==(const BasicRect& other) const {
        return left == other.left && top == other.top && width == other.width &&
               height == other.height;
    }
};

using Point = BasicPoint<InUnits>;
using Size = BasicSize<InUnits>;
using Rect = BasicRect<InUnits>;

using PixelPoint = BasicPoint<InPixels>;
using PixelSize = BasicSize<InPixels>;
using PixelRect = BasicRect<InPixels>;

} // namespace platform
