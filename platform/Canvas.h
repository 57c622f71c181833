#pragma once
// A surface to draw on: a window being painted or an off-screen bitmap. The pen, brush and font
// are state that persists between calls, so a painter sets what it needs and draws several
// shapes with it. Coordinates are relative to the origin, which a window moves to each control's
// corner while the control paints itself.

#include "platform/Color.h"
#include "platform/Font.h"
#include "platform/Geometry.h"
#include "platform/Shellicon.h"

#include <memory>
#include <string_view>

namespace platform {

class Bitmap;

enum class PenStyle { Solid, Dash, Dot, Clear };
enum class BrushStyle { Solid, Clear };

struct Pen {
    Color color = Colors::Black;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    bool operator==(const Pen& o) const {
        return color == o.color && width == o.width && style == o.style;
    }
};

struct Brush {
    Color color = Colors::White;
    BrushStyle style = BrushStyle::Solid;
    bool operator==(const Brush& o) const { return color == o.color && style == o.style; }
};

namespace Colors {
constexpr Color ButtonShadow = SystemBase + 16; // the system's COLOR_BTNSHADOW
} // namespace Colors

class Canvas {
public:
    virtual ~Canvas() = default;

    Pen pen;
    Brush brush;
    Font font;

    // With the brush only (a clear brush draws nothing).
    virtual void fillRect(const Rect& rect) = 0;
    // Outlined with the pen, filled with the brush.
    virtual void rectangle(const Rect& rect) = 0;
    virtual void roundRect(const Rect& rect, int cornerWidth, int cornerHeight) = 0;
    // From `from` up to, but not including, `to`, with the pen.
    virtual void line(Point from, Point to) = 0;
    // With the font, on a transparent background; `at` is the text's top-left corner.
    virtual void textOut(Point at, std::string_view text) = 0;
    virtual Size textExtent(std::string_view text) = 0;
    // The shell's picture of `icon`, `size` units square, made from its file at that size the
    // first time it is drawn so; nothing for no icon.
    virtual void drawIcon(Point at, ShellIcon icon, int size) = 0;
    // The whole bitmap, or only `part` of it (in the bitmap's coordinates) with its corner at
    // `at`.
    void drawBitmap(Point at, const Bitmap& bitmap);
    virtual void drawBitmap(Point at, const Bitmap& bitmap, const Rect& part) = 0;

    // Later drawing only reaches `rect` (in the coordinates of the current origin) until the
    // clip is cleared.
    virtual void setClip(const Rect& rect) = 0;
    virtual void clearClip() = 0;
    // The smallest rectangle holding everything drawing can reach now (current origin's
    // coordinates): the clip, within the area the surface is being painted in.
    virtual Rect clipBounds() const = 0;
    // Where (0, 0) lies on the surface.
    virtual void setOrigin(Point origin) = 0;
};

// An off-screen picture with a canvas of its own, copied to a window with Canvas::drawBitmap.
class Bitmap {
public:
    Bitmap(int width, int height);
    ~Bitmap();
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    // The same canvas, with its pen, brush and font, keeps drawing on the resized picture;
    // what the picture held is lost. Does nothing when the size is the same.
    void resize(int width, int height);
    Canvas& canvas();

    struct Native; // per backend
    const Native& native() const { return *native_; }

private:
    int width_;
    int height_;
    std::unique_ptr<Native> native_;
};

inline void Canvas::drawBitmap(Point at, const Bitmap& bitmap) {
    drawBitmap(at, bitmap, {0, 0, bitmap.width(), bitmap.height()});
}

} // namespace platform
