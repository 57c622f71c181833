// What a canvas draws, pixel by pixel, on an off-screen bitmap. The same cases run on the
// headless raster natively and on GDI under Wine, which holds the raster to what Windows draws.
#include "platform/Canvas.h"
#include "platform/Control.h"

#ifdef _WIN32
#include "platform/win32/Gdi.h"
#else
#include "platform/headless/Headless.h"
#endif

#include <gtest/gtest.h>

namespace {

using platform::Bitmap;
using platform::Color;
using platform::Rect;
namespace Colors = platform::Colors;

constexpr Color kRed = 0x0000FF;
constexpr Color kGreen = 0x00FF00;
constexpr Color kAzure = 0xFF8000;

Color pixelOf(const Bitmap& bitmap, int x, int y) {
#ifdef _WIN32
    return static_cast<Color>(GetPixel(platform::win32::deviceContextOf(bitmap), x, y));
#else
    return platform::headless::rasterOf(bitmap).pixel(x, y);
#endif
}

int countOf(const Bitmap& bitmap, const Rect& area, Color color) {
    int found = 0;
    for (int y = area.top; y < area.bottom(); ++y)
        for (int x = area.left; x < area.right(); ++x)
            found += pixelOf(bitmap, x, y) == color;
    return found;
}

// A bitmap painted white all over, as a known start.
struct WhiteBitmap {
    WhiteBitmap(int width, int height) : bitmap(width, height) {
        bitmap.canvas().brush = {Colors::White, platform::BrushStyle::Solid};
        bitmap.canvas().fillRect({0, 0, width, height});
    }
    Bitmap bitmap;
};

TEST(Canvas, PenAndBrushPersistBetweenCalls) {
    WhiteBitmap white(20, 20);
    platform::Canvas& canvas = white.bitmap.canvas();
    canvas.brush.color = kRed;
    canvas.pen.color = kGreen;
    canvas.fillRect({0, 0, 2, 2});
    canvas.rectangle({5, 5, 4, 4});
    canvas.fillRect({18, 18, 2, 2});

    EXPECT_EQ(countOf(white.bitmap, {0, 0, 2, 2}, kRed), 4);
    EXPECT_EQ(countOf(white.bitmap, {5, 5, 4, 4}, kGreen), 12) << "a one-pixel outline";
    EXPECT_EQ(countOf(white.bitmap, {6, 6, 2, 2}, kRed), 4) << "filled with the brush";
    EXPECT_EQ(countOf(white.bitmap, {18, 18, 2, 2}, kRed), 4);
    EXPECT_EQ(countOf(white.bitmap, {0, 0, 20, 20}, Colors::White), 400 - 4 - 16 - 4);
}

TEST(Canvas, ClearBrushLeavesTheInsideAlone) {
    WhiteBitmap white(10, 10);
    platform::Canvas& canvas = white.bitmap.canvas();
    canvas.pen.color = kGreen;
    canvas.brush.style = platform::BrushStyle::Clear;
    canvas.rectangle({0, 0, 10, 10});
    canvas.fillRect({0, 0, 10, 10});
    EXPECT_EQ(countOf(white.bitmap, {1, 1, 8, 8}, Colors::White), 64);
    EXPECT_EQ(countOf(white.bitmap, {0, 0, 10, 10}, kGreen), 36);
}

TEST(Canvas, ClipAndOriginLimitAndMoveTheDrawing) {
    WhiteBitmap white(20, 20);
    platform::Canvas& canvas = white.bitmap.canvas();
    canvas.brush.color = Colors::Black;
    canvas.setOrigin({10, 10});
    canvas.setClip({0, 0, 3, 3});
    canvas.fillRect({-5, -5, 20, 20});
    canvas.clearClip();
    canvas.setOrigin({0, 0});
    canvas.brush.color = kRed;
    canvas.fillRect({0, 0, 1, 1});

    EXPECT_EQ(countOf(white.bitmap, {10, 10, 3, 3}, Colors::Black), 9);
    EXPECT_EQ(countOf(white.bitmap, {0, 0, 20, 20}, Colors::Black), 9);
    EXPECT_EQ(pixelOf(white.bitmap, 0, 0), kRed);
}

// Lines stop short of their end point, as GDI's do; a frame thus covers its rectangle's edges.
TEST(Canvas, FramesCoverTheEdgesOfTheirRectangle) {
    WhiteBitmap white(12, 8);
    platform::drawFrame(white.bitmap.canvas(), {1, 1, 10, 6}, kRed, kGreen);
    EXPECT_EQ(pixelOf(white.bitmap, 1, 1), kRed);
    EXPECT_EQ(pixelOf(white.bitmap, 10, 1), kRed) << "top edge up to the right column";
    EXPECT_EQ(pixelOf(white.bitmap, 1, 6), kRed) << "left edge down to the bottom row";
    EXPECT_EQ(pixelOf(white.bitmap, 10, 6), kGreen);
    EXPECT_EQ(countOf(white.bitmap, {1, 1, 10, 6}, kRed), 10 + 5);
    EXPECT_EQ(countOf(white.bitmap, {1, 1, 10, 6}, kGreen), 5 + 8);
    EXPECT_EQ(countOf(white.bitmap, {2, 2, 8, 4}, Colors::White), 32);
    EXPECT_EQ(pixelOf(white.bitmap, 0, 0), Colors::White);
    EXPECT_EQ(pixelOf(white.bitmap, 11, 7), Colors::White);
}

TEST(Canvas, OffScreenBitmapsAreCopiedWhole) {
    WhiteBitmap source(4, 3);
    source.bitmap.canvas().brush.color = kAzure;
    source.bitmap.canvas().fillRect({0, 0, 4, 3});
    source.bitmap.canvas().pen.color = Colors::Black;
    source.bitmap.canvas().line({0, 2}, {4, 2});

    WhiteBitmap target(10, 10);
    target.bitmap.canvas().drawBitmap({2, 2}, source.bitmap);
    EXPECT_EQ(countOf(target.bitmap, {2, 2, 4, 2}, kAzure), 8);
    EXPECT_EQ(countOf(target.bitmap, {2, 4, 4, 1}, Colors::Black), 4);
    EXPECT_EQ(countOf(target.bitmap, {0, 0, 10, 10}, Colors::White), 100 - 12);
}

} // namespace
