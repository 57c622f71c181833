#pragma once
// The headless stand-in for a screen surface: a grid of colour values that a RasterCanvas draws
// on, plus the texts and icons drawn, which the raster records instead of rendering glyphs.
// Text is measured with a fixed cell per character (see RasterCanvas::textExtent), so layouts
// come out the same on every machine.

#include "platform/Canvas.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::headless {

struct TextRun {
    Point at; // surface coordinates
    std::string text;
    Font font;
};

struct IconRun {
    Point at;
    int size;
    std::string source;
};

class Raster {
public:
    Raster(int width, int height, Color fill = Colors::Black);

    int width() const { return width_; }
    int height() const { return height_; }
    // Plain colour values (system colours are resolved when drawn).
    Color pixel(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }
    void setPixel(int x, int y, Color color);
    // How many pixels within `area` hold `color`.
    int count(const Rect& area, Color color) const;
    // Moves what `area` shows `dy` down (up when negative), texts and icons with it; what moves
    // out of the area is gone, and the strip uncovered keeps what it showed.
    void scroll(const Rect& area, int dy);

    std::vector<TextRun> texts;
    std::vector<IconRun> icons;

private:
    int width_;
    int height_;
    std::vector<Color> pixels_;
};

// The plain colour the headless screen shows for a colour value.
Color resolveColor(Color color);

class RasterCanvas : public Canvas {
public:
    // Drawing never reaches outside `paintArea` (raster coordinates) when one is given, as a
    // window's drawing stays within the area being painted.
    explicit RasterCanvas(Raster& raster, std::optional<Rect> paintArea = std::nullopt)
        : raster_(raster), paintArea_(paintArea) {}

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
    void setOrigin(Point origin) override { origin_ = origin; }

private:
    // Where drawing can reach, in raster coordinates.
    Rect reach() const;
    bool reaches(Point device) const;
    void plot(int x, int y, Color color); // in canvas coordinates
    void fillDevice(const Rect& rect, Color color);
    // Texts and icons whose corner lies in `device` are painted over.
    void coverRuns(const Rect& device);

    Raster& raster_;
    std::optional<Rect> paintArea_;
    Point origin_;
    Rect clip_{0, 0, 0, 0};
    bool clipped_ = false;
};

// How headless canvases measure text: by default a fixed cell per character; tests that need
// known sizes set their own. An empty function brings the default back.
using TextMetrics = std::function<Size(const Font&, std::string_view)>;
void setTextMetrics(TextMetrics metrics);

} // namespace platform::headless
