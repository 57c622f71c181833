#include "platform/Dpi.h"
#include "platform/win32/Gdi.h"
#include "platform/win32/Pixels.h"
#include "platform/win32/Shellpicture.h"
#include "platform/win32/Wide.h"

#include <algorithm>

namespace platform {

// The picture is as many pixels as its size in units takes at the display's scale then.
struct Bitmap::Native {
    Native(HDC screen, int width, int height)
        : bitmap(CreateCompatibleBitmap(screen, toPixels(width), toPixels(height))),
          selection(dc.get(), bitmap.get()), canvas(dc.get()), dpi(displayDpi()) {}
    win32::MemoryDC dc;
    win32::ScopedGdiObject bitmap;
    win32::SelectedObject selection;
    win32::GdiCanvas canvas;
    int dpi; // the scale the picture was made at
};

Bitmap::Bitmap(int width, int height) : width_(width), height_(height) {
    const win32::WindowDC screen(nullptr);
    native_ = std::make_unique<Native>(screen.get(), width, height);
}

Bitmap::~Bitmap() = default;

void Bitmap::resize(int width, int height) {
    if (width == width_ && height == height_ && native_->dpi == displayDpi()) return;
    const win32::WindowDC screen(nullptr);
    win32::ScopedGdiObject fresh(
        CreateCompatibleBitmap(screen.get(), toPixels(width), toPixels(height)));
    native_->dpi = displayDpi();
    native_->selection.select(native_->dc.get(), fresh.get());
    native_->bitmap = std::move(fresh); // the old picture is out of the context: deleted now
    width_ = width;
    height_ = height;
}
Canvas& Bitmap::canvas() {
    return native_->canvas;
}

} // namespace platform

namespace platform::win32 {
namespace {

int penStyle(PenStyle style) {
    switch (style) {
    case PenStyle::Dash:
        return PS_DASH;
    case PenStyle::Dot:
        return PS_DOT;
    case PenStyle::Clear:
        return PS_NULL;
    case PenStyle::Solid:
        break;
    }
    // A pen wider than a pixel (above 96 DPI) keeps a shape's outline inside the shape, as the
    // one-pixel pen does; for lines and one-pixel pens it is the plain solid pen.
    return PS_INSIDEFRAME;
}

} // namespace

HDC deviceContextOf(const Bitmap& bitmap) {
    return bitmap.native().dc.get();
}

COLORREF colorRef(Color color) {
    return isSystemColor(color) ? GetSysColor(systemColorIndex(color))
                                : static_cast<COLORREF>(color);
}

GdiCanvas::GdiCanvas(HDC dc) : dc_(dc), dpi_(displayDpi()) {
    SetBkMode(dc_, TRANSPARENT);
}

// A pen's width and a font's height are made in pixels: at another scale they are made anew.
void GdiCanvas::followDisplayScale() {
    if (dpi_ == displayDpi()) return;
    pen_.selected.reset();
    font_.selected.reset();
    dpi_ = displayDpi();
}

void GdiCanvas::usePen() {
    followDisplayScale();
    if (pen_.selected && pen_.state == pen) return;
    pen_.selected.reset();
    pen_.state = pen;
    pen_.selected.emplace(dc_, CreatePen(penStyle(pen.style), std::max(1, toPixels(pen.width)),
                                         colorRef(pen.color)));
}

void GdiCanvas::useBrush() {
    if (brush_.selected && brush_.state == brush) return;
    brush_.selected.reset();
    brush_.state = brush;
    LOGBRUSH description{};
    description.lbStyle = brush.style == BrushStyle::Clear ? BS_HOLLOW : BS_SOLID;
    description.lbColor = colorRef(brush.color);
    brush_.selected.emplace(dc_, CreateBrushIndirect(&description));
}

void GdiCanvas::useFont() {
    followDisplayScale();
    SetTextColor(dc_, colorRef(font.color));
    if (font_.selected && font_.state == font) return;
    font_.selected.reset();
    font_.state = font;
    font_.selected.emplace(dc_, createFont(font));
}

void GdiCanvas::fillRect(const Rect& rect) {
    if (brush.style == BrushStyle::Clear) return;
    useBrush();
    const RECT area = toRECT(toPixels(rect));
    FillRect(dc_, &area, static_cast<HBRUSH>(GetCurrentObject(dc_, OBJ_BRUSH)));
}

void GdiCanvas::rectangle(const Rect& rect) {
    usePen();
    useBrush();
    const RECT box = toRECT(toPixels(rect));
    Rectangle(dc_, box.left, box.top, box.right, box.bottom);
}

void GdiCanvas::roundRect(const Rect& rect, int cornerWidth, int cornerHeight) {
    usePen();
    useBrush();
    const RECT box = toRECT(toPixels(rect));
    RoundRect(dc_, box.left, box.top, box.right, box.bottom, toPixels(cornerWidth),
              toPixels(cornerHeight));
}

void GdiCanvas::line(Point from, Point to) {
    usePen();
    const PixelPoint start = toPixels(from), end = toPixels(to);
    MoveToEx(dc_, start.x, start.y, nullptr);
    LineTo(dc_, end.x, end.y);
}

void GdiCanvas::textOut(Point at, std::string_view text) {
    useFont();
    const PixelPoint place = toPixels(at);
    const std::wstring wide = widen(text);
    TextOutW(dc_, place.x, place.y, wide.data(), static_cast<int>(wide.size()));
}

Size GdiCanvas::textExtent(std::string_view text) {
    useFont();
    const std::wstring wide = widen(text);
    SIZE extent{};
    GetTextExtentPoint32W(dc_, wide.data(), static_cast<int>(wide.size()), &extent);
    return toUnits(PixelSize{extent.cx, extent.cy});
}

void GdiCanvas::drawIcon(Point at, ShellIcon icon, int size) {
    drawShellIcon(dc_, toPOINT(toPixels(at)), icon, toPixels(size));
}

void GdiCanvas::drawBitmap(Point at, const Bitmap& bitmap, const Rect& part) {
    const PixelPoint place = toPixels(at);
    const PixelRect source = toPixels(part);
    BitBlt(dc_, place.x, place.y, source.width, source.height, deviceContextOf(bitmap),
           source.left, source.top, SRCCOPY);
}

void GdiCanvas::setClip(const Rect& rect) {
    // Where drawing lands: the rectangle's pixels from the origin's pixels, as drawing does.
    const PixelRect device = toPixels(rect).offset(toPixels(origin_));
    const ScopedGdiObject region(
        CreateRectRgn(device.left, device.top, device.right(), device.bottom()));
    SelectClipRgn(dc_, static_cast<HRGN>(region.get())); // the context keeps a copy
}

void GdiCanvas::clearClip() {
    SelectClipRgn(dc_, nullptr);
}

Rect GdiCanvas::clipBounds() const {
    RECT box{};
    GetClipBox(dc_, &box);
    return toUnitsCovering(pixelRectOf(box));
}

void GdiCanvas::setOrigin(Point origin) {
    origin_ = origin;
    const PixelPoint device = toPixels(origin);
    SetViewportOrgEx(dc_, device.x, device.y, nullptr);
}

} // namespace platform::win32
