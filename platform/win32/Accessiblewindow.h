#pragma once
// The window procedure's part of Accessible.h: the answer to WM_GETOBJECT.

#include <optional>
#include <windows.h>

namespace platform::win32 {

// The client area's IAccessible when the window's form exposes a tree and that is what is asked
// for; nothing otherwise (the default procedure then answers).
std::optional<LRESULT> answerAccessible(HWND window, WPARAM flags, LPARAM objectId);

} // namespace platform::win32
