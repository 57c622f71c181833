#pragma once
// What a standard control is on Windows, and what the form windows need of it.

#include "platform/Controls.h"
#include "platform/Input.h"
#include "platform/win32/Gdi.h"

#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace platform {

struct ChildControl::Native {
    Native() = default;
    ~Native();
    Native(const Native&) = delete;
    Native& operator=(const Native&) = delete;

    HWND window = nullptr;
    std::vector<HWND> items; // a radio group's buttons, in the order of its items
    win32::ScopedGdiObject font{nullptr};
    ControlFont fontShown;
    int fontDpi = 0; // the display scale the font was made for
    win32::ScopedGdiObject background{nullptr}; // for WM_CTLCOLORSTATIC
    Color backgroundColor = 0;
};

} // namespace platform

namespace platform::win32 {

// The control whose window (or one of whose windows) `window` is, or none.
ChildControl* controlOfWindow(HWND window);

// The text of a window of the system's.
std::string windowText(HWND window);

// Answers what the controls send their parent window (a form, page or panel): commands,
// notifications, owner drawing, colours and pointer shapes. Nothing for any other message.
std::optional<LRESULT> answerControl(UINT message, WPARAM wParam, LPARAM lParam);

// The pointer shape for the windows (Formprocedure.cpp).
HCURSOR loadCursor(Cursor cursor);

} // namespace platform::win32
