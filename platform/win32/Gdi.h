#pragma once
// Scope-bound owners of GDI objects: device contexts, fonts made from platform::Font, pens,
// brushes, bitmaps and regions, objects selected into a device context for as long as the owner
// lives, and the canvas that draws on a device context with them.

#include "platform/Canvas.h"
#include "platform/Font.h"
#include "platform/win32/Handlecount.h"

#include <optional>
#include <windows.h>

namespace platform::win32 {

class MemoryDC {
public:
    MemoryDC() : dc_(CreateCompatibleDC(nullptr)) {
        if (dc_) handles::created(handles::DeviceContext);
    }
    ~MemoryDC() {
        if (dc_) {
            DeleteDC(dc_);
            handles::freed(handles::DeviceContext);
        }
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// The logical font for `font` at the screen's resolution: its size in points, unless
// `pixelHeight` gives the height of its characters in pixels.
HFONT createFont(const Font& font, int pixelHeight = 0);

// Selects an object into a device context and puts the previous one back when it ends.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) { select(dc, object); }
    ~SelectedObject() { reset(); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

    void select(HDC dc, HGDIOBJ object) {
        reset();
        dc_ = dc;
        previous_ = SelectObject(dc, object);
    }
    void reset() {
        if (dc_ && previous_) SelectObject(dc_, previous_);
        dc_ = nullptr;
        previous_ = nullptr;
    }

private:
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// A pen, brush, font, bitmap or region, deleted when the owner goes.
class ScopedGdiObject {
public:
    explicit ScopedGdiObject(HGDIOBJ object) : object_(object) {
        if (object_) handles::created(handles::GdiObject);
    }
    ~ScopedGdiObject() { release(); }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    ScopedGdiObject(ScopedGdiObject&& other) noexcept : object_(other.object_) {
        other.object_ = nullptr;
    }
    ScopedGdiObject& operator=(ScopedGdiObject&& other) noexcept {
        if (this != &other) {
            release();
            object_ = other.object_;
            other.object_ = nullptr;
        }
        return *this;
    }

    HGDIOBJ get() const { return object_; }

private:
    void release() {
        if (!object_) return;
        DeleteObject(object_);
        handles::freed(handles::GdiObject);
        object_ = nullptr;
    }

    HGDIOBJ object_;
};

// The device context of a window (or of the screen, for a null window).
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() { ReleaseDC(window_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint and EndPaint around the handling of one WM_PAINT.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), paint_(), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDC() { EndPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_;
    HDC dc_;
};

COLORREF colorRef(Color color);
// The memory device context that holds an off-screen bitmap.
HDC deviceContextOf(const Bitmap& bitmap);

// A canvas on a device context. The pen, brush and font are made from the canvas's state when a
// call needs them, kept selected while that state stays the same, and the context gets its own
// objects back when the canvas goes.
class GdiCanvas : public Canvas {
public:
    explicit GdiCanvas(HDC dc);

    HDC dc() const { return dc_; }

    void fillRect(const Rect& rect) override;
    void rectangle(const Rect& rect) override;
    void roundRect(const Rect& rect, int cornerWidth, int cornerHeight) override;
    void line(Point from, Point to) override;
    void textOut(Point at, std::string_view text) override;
    Size textExtent(std::string_view text) override;
    void drawIcon(Point at, const Icon& icon) override;
    using Canvas::drawBitmap;
    void drawBitmap(Point at, const Bitmap& bitmap, const Rect& part) override;
    void setClip(const Rect& rect) override;
    void clearClip() override;
    Rect clipBounds() const override;
    void setOrigin(Point origin) override;

private:
    struct Selected {
        Selected(HDC dc, HGDIOBJ object) : owner(object), selection(dc, object) {}
        ScopedGdiObject owner;
        // Released first, so the object is out of the context when it is deleted.
        SelectedObject selection;
    };
    template <class State> struct Realised {
        State state;
        std::optional<Selected> selected;
    };

    void usePen();
    void useBrush();
    void useFont();

    HDC dc_;
    Point origin_;
    Realised<Pen> pen_;
    Realised<Brush> brush_;
    Realised<Font> font_;
};

} // namespace platform::win32
