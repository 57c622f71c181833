#include "platform/headless/Raster.h"

#include "platform/headless/Headless.h"

#include "platform/Icon.h"
#include "platform/headless/Headlessicon.h"

#include <algorithm>
#include <cstdlib>

namespace platform {
struct Bitmap::Native {
    Native(int width, int height) : raster(width, height, Colors::White), canvas(raster) {}
    headless::Raster raster;
    headless::RasterCanvas canvas;
};
} // namespace platform

namespace platform::headless {
namespace {

Rect intersect(const Rect& a, const Rect& b) {
    const int left = std::max(a.left, b.left);
    const int top = std::max(a.top, b.top);
    const int right = std::min(a.right(), b.right());
    const int bottom = std::min(a.bottom(), b.bottom());
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

} // namespace

Raster::Raster(int width, int height, Color fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width * height), fill) {}

void Raster::setPixel(int x, int y, Color color) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
        pixels_[static_cast<size_t>(y * width_ + x)] = color;
}

int Raster::count(const Rect& area, Color color) const {
    const Rect inside = intersect(area, {0, 0, width_, height_});
    int found = 0;
    for (int y = inside.top; y < inside.bottom(); ++y)
        for (int x = inside.left; x < inside.right(); ++x)
            found += pixel(x, y) == color;
    return found;
}

Color resolveColor(Color color) {
    if (!isSystemColor(color)) return color;
    switch (systemColorIndex(color)) {
    case 5:
        return Colors::White; // window
    case 8:
        return Colors::Black; // window text
    case 15:
        return 0xC0C0C0; // button face
    case 16:
        return 0x808080; // button shadow
    default:
        return 0x808080;
    }
}

void RasterCanvas::plot(int x, int y, Color color) {
    const Point device{x + origin_.x, y + origin_.y};
    if (clipped_ && !clip_.contains(device)) return;
    raster_.setPixel(device.x, device.y, resolveColor(color));
}

void RasterCanvas::fillDevice(const Rect& rect, Color color) {
    for (int y = rect.top; y < rect.bottom(); ++y)
        for (int x = rect.left; x < rect.right(); ++x)
            plot(x, y, color);
}

void RasterCanvas::fillRect(const Rect& rect) {
    if (brush.style == BrushStyle::Solid) fillDevice(rect, brush.color);
}

void RasterCanvas::rectangle(const Rect& rect) {
    fillRect(rect);
    if (pen.style == PenStyle::Clear) return;
    const int w = std::max(1, pen.width);
    fillDevice({rect.left, rect.top, rect.width, w}, pen.color);
    fillDevice({rect.left, rect.bottom() - w, rect.width, w}, pen.color);
    fillDevice({rect.left, rect.top, w, rect.height}, pen.color);
    fillDevice({rect.right() - w, rect.top, w, rect.height}, pen.color);
}

// The raster does not round corners: a rounded rectangle covers the same pixels as a plain one.
void RasterCanvas::roundRect(const Rect& rect, int, int) {
    rectangle(rect);
}

void RasterCanvas::line(Point from, Point to) {
    if (pen.style == PenStyle::Clear) return;
    const int dx = std::abs(to.x - from.x), dy = -std::abs(to.y - from.y);
    const int sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
    int error = dx + dy;
    Point p = from;
    while (p != to) {
        plot(p.x, p.y, pen.color);
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            p.x += sx;
        }
        if (doubled <= dx) {
            error += dx;
            p.y += sy;
        }
    }
}

void RasterCanvas::textOut(Point at, std::string_view text) {
    const Point device{at.x + origin_.x, at.y + origin_.y};
    if (clipped_ && !clip_.contains(device)) return;
    raster_.texts.push_back({device, std::string(text), font});
}

namespace {

// A fixed cell: half the font's pixel height wide (one more when bold), the pixel height plus
// two for the leading high.
Size fixedCellMetrics(const Font& font, std::string_view text) {
    const int pixelHeight = (font.size * 96 + 71) / 72;
    const int cellWidth = pixelHeight / 2 + (font.bold ? 1 : 0);
    return {static_cast<int>(text.size()) * cellWidth, pixelHeight + 2};
}

TextMetrics& currentTextMetrics() {
    static TextMetrics metrics = fixedCellMetrics;
    return metrics;
}

} // namespace

void setTextMetrics(TextMetrics metrics) {
    currentTextMetrics() = metrics ? std::move(metrics) : TextMetrics(fixedCellMetrics);
}

Size RasterCanvas::textExtent(std::string_view text) {
    return currentTextMetrics()(font, text);
}

void RasterCanvas::drawIcon(Point at, const Icon& icon) {
    const auto& drawn = *static_cast<const HeadlessIcon*>(icon.handle());
    raster_.icons.push_back({{at.x + origin_.x, at.y + origin_.y}, drawn.size, drawn.source});
}

void RasterCanvas::setClip(const Rect& rect) {
    clip_ = rect.offset(origin_);
    clipped_ = true;
}

void RasterCanvas::clearClip() {
    clipped_ = false;
}

void RasterCanvas::drawBitmap(Point at, const Bitmap& bitmap) {
    const Raster& source = bitmap.native().raster;
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            plot(at.x + x, at.y + y, source.pixel(x, y));
    for (TextRun run : source.texts) {
        run.at = {run.at.x + at.x + origin_.x, run.at.y + at.y + origin_.y};
        raster_.texts.push_back(run);
    }
}

const Raster& rasterOf(const Bitmap& bitmap) {
    return bitmap.native().raster;
}

} // namespace platform::headless

namespace platform {

Bitmap::Bitmap(int width, int height)
    : width_(width), height_(height), native_(std::make_unique<Native>(width, height)) {}
Bitmap::~Bitmap() = default;
Canvas& Bitmap::canvas() {
    return native_->canvas;
}

} // namespace platform
