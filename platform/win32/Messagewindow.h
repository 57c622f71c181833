#pragma once
// A message-only window: how a worker thread hands word back to the thread that made the window,
// whose message loop then calls `procedure` with what the worker posted.

#include <windows.h>

namespace platform::win32 {

inline HWND makeMessageWindow(const wchar_t* className, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass); // fails harmlessly once the class exists
    return CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           windowClass.hInstance, nullptr);
}

} // namespace platform::win32
