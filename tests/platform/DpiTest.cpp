// Design units and the display's pixels: each figure rounded once, and rectangles that meet in
// units meeting in pixels at every scale.
#include "platform/Dpi.h"

#include <gtest/gtest.h>

namespace {

using platform::PixelRect;
using platform::Rect;

class DisplayScale : public testing::Test {
protected:
    ~DisplayScale() override { platform::setDisplayDpi(platform::kDesignDpi); }
};

TEST_F(DisplayScale, UnitsArePixelsAt96AndScaleOnceAbove) {
    const Rect cell{70, 2, 45, 45};
    EXPECT_EQ(platform::toPixels(cell), (PixelRect{70, 2, 45, 45}));
    platform::setDisplayDpi(144);
    EXPECT_EQ(platform::toPixels(cell), (PixelRect{105, 3, 68, 68})) << "corners 105,3 and 173,71";
    EXPECT_EQ(platform::toPixels(27), 41) << "40.5 rounds up";
    EXPECT_EQ(platform::toPixels(-3), -5) << "halves away from zero";
    EXPECT_EQ(platform::toUnits(41), 27);
    // Neighbours stay neighbours: the right edge of one is the left edge of the next.
    const Rect next{115, 2, 45, 45};
    EXPECT_EQ(platform::toPixels(cell).right(), platform::toPixels(next).left);
    platform::setDisplayDpi(0);
    EXPECT_EQ(platform::displayDpi(), platform::kDesignDpi) << "no scale is no scaling";
}

// What the system asks to have painted must lie within what is painted for it.
TEST_F(DisplayScale, ACoveringAreaHoldsEveryPixelAskedFor) {
    for (const int dpi : {120, 144, 192}) {
        platform::setDisplayDpi(dpi);
        for (const PixelRect asked :
             {PixelRect{1, 1, 1, 1}, PixelRect{0, 0, 17, 5}, PixelRect{-3, 7, 10, 10}}) {
            const PixelRect painted = platform::toPixels(platform::toUnitsCovering(asked));
            EXPECT_TRUE(painted.left <= asked.left && painted.top <= asked.top &&
                        painted.right() >= asked.right() && painted.bottom() >= asked.bottom())
                << dpi << ": " << asked.left << "," << asked.top;
        }
    }
}

} // namespace
