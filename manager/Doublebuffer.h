#pragma once
// An off-screen picture with a flag that says it must be drawn again (true at first). Its canvas
// also measures text the way a window would draw it.

#include "platform/Canvas.h"

class DoubleBuffer {
public:
    explicit DoubleBuffer(int width = 1, int height = 1) : bitmap_(width, height) {}

    platform::Bitmap& bitmap() { return bitmap_; }
    platform::Canvas& canvas() { return bitmap_.canvas(); }
    bool needsRedraw = true;

private:
    platform::Bitmap bitmap_;
};
