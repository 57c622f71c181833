#pragma once
// Points, sizes and rectangles in pixels, as the windows and their painters use them.

namespace platform {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point& other) const { return x == other.x && y == other.y; }
    bool operator!=(const Point& other) const { return !(*this == other); }
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size& other) const {
        return width == other.width && height == other.height;
    }
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

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
    Rect offset(Point by) const { return {left + by.x, top + by.y, width, height}; }
    // Moved sideways as little as it takes to end within `area`, but never to start before it.
    Rect keptWithinSideways(const Rect& area) const {
        const int from = right() > area.right() ? area.right() - width : left;
        return {from < area.left ? area.left : from, top, width, height};
    }
    // Whether the two share at least one pixel.
    bool intersects(const Rect& other) const {
        return left < other.right() && other.left < right() && top < other.bottom() &&
               other.top < bottom();
    }
    bool operator==(const Rect& other) const {
        return left == other.left && top == other.top && width == other.width &&
               height == other.height;
    }
};

} // namespace platform
