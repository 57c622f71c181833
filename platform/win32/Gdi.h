#pragma once
// Drawing with GDI: fonts made from platform::Font, colours, and the canvas that draws on a
// device context with the scope-bound owners of Scoped.h.

#include "platform/Canvas.h"
#include "platform/Font.h"
#include "platform/win32/Scoped.h"

#include <optional>
#include <windows.h>

namespace platform::win32 {

// The logical font for `font` at the display's scale: its size in points, unless `pixelHeight`
// gives the height of its characters in units.
HFONT createFont(const Font& font, int pixelHeight = 0);

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
    void drawIcon(Point at, ShellIcon icon, int size) override;
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

    void followDisplayScale();
    void usePen();
    void useBrush();
    void useFont();

    HDC dc_;
    Point origin_;
    Realised<Pen> pen_;
    Realised<Brush> brush_;
    Realised<Font> font_;
    int dpi_; // the display scale the pen and font were made for
};

} // namespace platform::win32
