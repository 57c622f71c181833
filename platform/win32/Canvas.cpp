#include "platform/win32/Gdi.h"
#include "platform/win32/Imagelists.h"

namespace platform {

struct Bitmap::Native {
    Native(HDC screen, int width, int height)
        : bitmap(CreateCompatibleBitmap(screen, width, height)), selection(dc.get(), bitmap.get()),
          canvas(dc.get()) {}
    win32::MemoryDC dc;
    win32::ScopedGdiObject bitmap;
    win32::SelectedObject selection;
    win32::GdiCanvas canvas;
};

Bitmap::Bitmap(int width, int height) : width_(width), height_(height) {
    const win32::WindowDC screen(nullptr);
    native_ = std::make_unique<Native>(screen.get(), width, height);
}

Bitmap::~Bitmap() = default;

void Bitmap::resize(int width, int height) {
    if (width == width_ && height == height_) return;
    const win32::WindowDC screen(nullptr);
    win32::ScopedGdiObject fresh(CreateCompatibleBitmap(screen.get(), width, height));
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
    return PS_SOLID;
}

RECT toRECT(const Rect& rect) {
    return {rect.left, rect.top, rect.right(), rect.bottom()};
}

} // namespace

HDC deviceContextOf(const Bitmap& bitmap) {
    return bitmap.native().dc.get();
}

COLORREF colorRef(Color color) {
    return isSystemColor(color) ? GetSysColor(systemColorIndex(color))
                                : static_cast<COLORREF>(color);
}

GdiCanvas::GdiCanvas(HDC dc) : dc_(dc) {
    SetBkMode(dc_, TRANSPARENT);
}

void GdiCanvas::usePen() {
    if (pen_.selected && pen_.state == pen) return;
    pen_.selected.reset();
    pen_.state = pen;
    pen_.selected.emplace(dc_, CreatePen(penStyle(pen.style), pen.width, colorRef(pen.color)));
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
    SetTextColor(dc_, colorRef(font.color));
    if (font_.selected && font_.state == font) return;
    font_.selected.reset();
    font_.state = font;
    font_.selected.emplace(dc_, createFont(font));
}

void GdiCanvas::fillRect(const Rect& rect) {
    if (brush.style == BrushStyle::Clear) return;
    useBrush();
    const RECT area = toRECT(rect);
    FillRect(dc_, &area, static_cast<HBRUSH>(GetCurrentObject(dc_, OBJ_BRUSH)));
}

void GdiCanvas::rectangle(const Rect& rect) {
    usePen();
    useBrush();
    Rectangle(dc_, rect.left, rect.top, rect.right(), rect.bottom());
}

void GdiCanvas::roundRect(const Rect& rect, int cornerWidth, int cornerHeight) {
    usePen();
    useBrush();
    RoundRect(dc_, rect.left, rect.top, rect.right(), rect.bottom(), cornerWidth, cornerHeight);
}

void GdiCanvas::line(Point from, Point to) {
    usePen();
    MoveToEx(dc_, from.x, from.y, nullptr);
    LineTo(dc_, to.x, to.y);
}

void GdiCanvas::textOut(Point at, std::string_view text) {
    useFont();
    TextOutA(dc_, at.x, at.y, text.data(), static_cast<int>(text.size()));
}

Size GdiCanvas::textExtent(std::string_view text) {
    useFont();
    SIZE extent{};
    GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &extent);
    return {extent.cx, extent.cy};
}

void GdiCanvas::drawIcon(Point at, ShellIcon icon, int size) {
    drawShellIcon(dc_, {at.x, at.y}, icon, size);
}

void GdiCanvas::drawBitmap(Point at, const Bitmap& bitmap, const Rect& part) {
    BitBlt(dc_, at.x, at.y, part.width, part.height, deviceContextOf(bitmap), part.left, part.top,
           SRCCOPY);
}

void GdiCanvas::setClip(const Rect& rect) {
    const Rect device = rect.offset(origin_);
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
    return {box.left, box.top, box.right - box.left, box.bottom - box.top};
}

void GdiCanvas::setOrigin(Point origin) {
    origin_ = origin;
    SetViewportOrgEx(dc_, origin.x, origin.y, nullptr);
}

} // namespace platform::win32
