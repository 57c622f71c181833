#pragma once
// What a form is on Windows: its window and the tool tips it shows.

#include "platform/Form.h"

#include <string>
#include <vector>
#include <windows.h>

namespace platform {

struct Form::Native {
    HWND window = nullptr;
    HWND toolTip = nullptr;      // made when the form first sees the pointer
    std::vector<Rect> hintAreas; // what the tool tip knows of, to see when it must learn anew
    std::string toolTipText;     // the text the tool tip is showing
    HWND hintTip = nullptr;      // the tip shown at once for an area that is not a control
    std::string hintText;
};

} // namespace platform
