#pragma once
// What a form is without a window system: a record of its place, styles, visibility, focus and
// what it has painted.

#include "platform/Form.h"
#include "platform/headless/Raster.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct Form::Native {
    explicit Native(FormKind kind)
        : style(windowStyleOf(kind) | 0x04000000u), // Windows adds WS_CLIPSIBLINGS
          extendedStyle(extendedStyleOf(kind)) {}
    Rect bounds{0, 0, 10, 10};
    bool visible = false;
    bool topmost = false;
    bool enabled = true;
    std::string caption;
    ChildControl* focused = nullptr;
    std::uint32_t style;
    std::uint32_t extendedStyle;
    int invalidations = 0;
    headless::Raster screen{0, 0}; // what the form shows, as far as it has been painted
    std::vector<Rect> repainted;
    std::string hint;
    bool leaveTracked = false; // trackMouseLeave asked, and the pointer has not left yet
    std::vector<Form*> disabledWhileModal; // while the form shows modally
};

} // namespace platform
