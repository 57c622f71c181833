// The smallest Win32 window program, built like Kestrum.exe: what any window program costs in
// memory under the same system, so that Kestrum's own share can be told apart. `empty_window W H`
// shows a window W x H pixels large: what the system keeps for a window of that size.
#include <windows.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
    int width = 80;
    int height = 27;
    std::sscanf(arguments, "%d %d", &width, &height);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "EmptyWindow";
    // Painted, as a window that shows something is: the system's picture of it is all in use.
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "EmptyWindow", "Empty", WS_POPUP | WS_VISIBLE, 0, 0, width,
                                  height, nullptr, nullptr, instance, nullptr);
    MSG message;
    while (IsWindow(window) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
