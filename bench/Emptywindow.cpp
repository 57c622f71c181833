// The smallest Win32 window program, built like Kestrum.exe: what any window program costs in
// memory under the same system, so that Kestrum's own share can be told apart.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "EmptyWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "EmptyWindow", "Empty", WS_POPUP | WS_VISIBLE, 0, 0, 80, 27,
                                  nullptr, nullptr, instance, nullptr);
    MSG message;
    while (IsWindow(window) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
