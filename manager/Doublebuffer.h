#pragma once
// An off-screen picture with a flag that says it must be drawn again (true at first). The
// manager keeps one only to measure text in the icon-title font.

#include "platform/Measurecanvas.h"

class DoubleBuffer {
public:
    platform::MeasureCanvas& canvas() { return canvas_; }
    bool needsRedraw = true;

private:
    platform::MeasureCanvas canvas_;
};
