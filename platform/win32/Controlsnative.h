#pragma once
// What the form windows need of the standard controls' windows.

#include "platform/Controls.h"
#include "platform/Input.h"

#include <optional>
#include <windows.h>

namespace platform::win32 {

// The control whose window (or one of whose windows) `window` is, or none.
ChildControl* controlOfWindow(HWND window);

// Answers what the controls send their parent window (a form, page or panel): commands,
// notifications, owner drawing, colours and pointer shapes. Nothing for any other message.
std::optional<LRESULT> answerControl(UINT message, WPARAM wParam, LPARAM lParam);

// The pointer shape for the windows (Window.cpp).
HCURSOR loadCursor(Cursor cursor);

} // namespace platform::win32
