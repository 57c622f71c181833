#pragma once
// What a form is on Windows: its window, the tool tips it shows, and what it remembers of its
// size and its controls' focus.

#include "platform/Form.h"

#include <string>
#include <vector>
#include <windows.h>

namespace platform {

struct Form::Native {
    HWND window = nullptr;
    HWND toolTip = nullptr;      // made when the form first sees the pointer
    std::vector<Rect> hintAreas; // what the tool tip knows of, to see when it must learn anew
    std::wstring toolTipText;    // the text the tool tip is showing
    HWND hintTip = nullptr;      // the tip shown at once for an area that is not a control
    std::wstring hintText;
    PixelSize clientSize;     // as FormResize last saw it
    HWND lastFocus = nullptr; // the control that gets the focus back when the form is active
    // While the form shows modally: the windows it disabled, and the one active before it.
    std::vector<HWND> disabledWhileModal;
    HWND activeBeforeModal = nullptr;
};

} // namespace platform
