// A second program for the end-to-end tests: it takes Ctrl+J if it can and, given the argument
// "window", covers the screen with a window of one colour (RGB 200, 30, 30) that it makes the
// active one; given "topmost", that window is always on top, as Kestrum's are. Once it is ready it writes "1" (the key is held) or "0" to a file named after its
// own path plus ".held", then waits until it is ended.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int main(int argc, char** argv) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = CreateSolidBrush(RGB(200, 30, 30));
    windowClass.lpszClassName = "KestrumTestHolder";
    RegisterClassA(&windowClass);
    const bool topmost = argc > 1 && std::strcmp(argv[1], "topmost") == 0;
    const HWND window = CreateWindowExA(topmost ? WS_EX_TOPMOST : 0, windowClass.lpszClassName,
                                        "Holder", WS_POPUP, 0, 0,
                                        GetSystemMetrics(SM_CXSCREEN),
                                        GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                        windowClass.hInstance, nullptr);
    if (!window) return 1;
    const bool held = RegisterHotKey(window, 1, MOD_CONTROL, 'J') != FALSE;
    if (topmost || (argc > 1 && std::strcmp(argv[1], "window") == 0)) {
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        UpdateWindow(window);
    }
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    FILE* record = std::fopen((std::string(path, length) + ".held").c_str(), "wb");
    if (!record) return 1;
    std::fputs(held ? "1" : "0", record);
    std::fclose(record);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
