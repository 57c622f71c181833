#include "platform/headless/Raster.h"

#include "platform/headless/Headless.h"

#include "platform/Utf8.h"
#include "platform/Shell.h"
#include "platform/headless/Headlessshell.h"

#include <algorithm>
#include <cstdlib>
#include <type_traits>
#include <utility>

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

void Raster::scroll(const Rect& area, int dy) {
    const Rect inside = intersect(area, {0, 0, width_, height_});
    const auto copyRow = [&](int y) {
        const int from = y - dy;
        if (from < inside.top || from >= inside.bottom()) return;
        for (int x = inside.left; x < inside.right(); ++x)
            pixels_[static_cast<size_t>(y * width_ + x)] = pixel(x, from);
    };
    if (dy > 0)
        for (int y = inside.bottom() - 1; y >= inside.top; --y) copyRow(y);
    else
        for (int y = inside.top; y < inside.bottom(); ++y) copyRow(y);
    const auto moveRuns = [&](auto& runs) {
        std::decay_t<decltype(runs)> kept;
        kept.reserve(runs.size());
        for (auto run : runs) {
            if (inside.contains(run.at)) {
                run.at.y += dy;
                if (!inside.contains(run.at)) continue;
            }
            kept.push_back(std::move(run));
        }
        runs = std::move(kept);
    };
    moveRuns(texts);
    moveRuns(icons);
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

Rect RasterCanvas::reach() const {
    Rect area{0, 0, raster_.width(), raster_.height()};
    if (paintArea_) area = intersect(area, *paintArea_);
    return clipped_ ? intersect(area, clip_) : area;
}

bool RasterCanvas::reaches(Point device) const {
    return (!clipped_ || clip_.contains(device)) && (!paintArea_ || paintArea_->contains(device));
}

Rect RasterCanvas::clipBounds() const {
    return reach().offset({-origin_.x, -origin_.y});
}

void RasterCanvas::plot(int x, int y, Color color) {
    const Point device{x + origin_.x, y + origin_.y};
    if (!reaches(device)) return;
    raster_.setPixel(device.x, device.y, resolveColor(color));
}

void RasterCanvas::coverRuns(const Rect& device) {
    const Rect covered = intersect(device, reach());
    const auto under = [&covered](const auto& run) { return covered.contains(run.at); };
    raster_.texts.erase(std::remove_if(raster_.texts.begin(), raster_.texts.end(), under),
                        raster_.texts.end());
    raster_.icons.erase(std::remove_if(raster_.icons.begin(), raster_.icons.end(), under),
                        raster_.icons.end());
}

void RasterCanvas::fillDevice(const Rect& rect, Color color) {
    coverRuns(rect.offset(origin_));
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
    if (!reaches(device)) return;
    raster_.texts.push_back({device, std::string(text), font});
}

namespace {

// A fixed cell per character, whatever its script: half the font's pixel height wide (one more
// when bold), the pixel height plus two for the leading high.
Size fixedCellMetrics(const Font& font, std::string_view text) {
    const int pixelHeight = (font.size * 96 + 71) / 72;
    const int cellWidth = pixelHeight / 2 + (font.bold ? 1 : 0);
    return {static_cast<int>(utf8::characterCount(text)) * cellWidth, pixelHeight + 2};
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

// Drawing makes the picture at that size, as on Windows, even where nothing lands.
void RasterCanvas::drawIcon(Point at, ShellIcon icon, int size) {
    prepareShellIcon(icon, size);
    const Point device{at.x + origin_.x, at.y + origin_.y};
    if (icon && reaches(device)) raster_.icons.push_back({device, size, shellIconSource(icon)});
}

void RasterCanvas::setClip(const Rect& rect) {
    clip_ = rect.offset(origin_);
    clipped_ = true;
}

void RasterCanvas::clearClip() {
    clipped_ = false;
}

void RasterCanvas::drawBitmap(Point at, const Bitmap& bitmap, const Rect& part) {
    const Raster& source = bitmap.native().raster;
    // Where the bitmap's (0, 0) lands on this raster.
    const Point shift{at.x + origin_.x - part.left, at.y + origin_.y - part.top};
    const Rect target = intersect(part, {0, 0, source.width(), source.height()}).offset(shift);
    coverRuns(target);
    const Rect inside = intersect(reach(), target);
    for (int y = inside.top; y < inside.bottom(); ++y)
        for (int x = inside.left; x < inside.right(); ++x)
            raster_.setPixel(x, y, source.pixel(x - shift.x, y - shift.y));
    const auto copyRuns = [&](const auto& runs, auto& into) {
        for (auto run : runs) {
            run.at = {run.at.x + shift.x, run.at.y + shift.y};
            if (inside.contains(run.at)) into.push_back(run);
        }
    };
    copyRuns(source.texts, raster_.texts);
    copyRuns(source.icons, raster_.icons);
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

void Bitmap::resize(int width, int height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    native_->raster = headless::Raster(width, height, Colors::White);
}

} // namespace platform
