// The process-wide services of System.h on Windows: the pointer, the screen, message boxes,
// the single-instance mutex and the stacking of the topmost windows.
#include "platform/System.h"

#include "platform/Dpi.h"

#include "platform/win32/Formwindow.h"
#include "platform/win32/Wide.h"

#include <commctrl.h>
#include <vector>

namespace platform {

std::optional<Point> cursorPos() {
    POINT pos{};
    if (!GetCursorPos(&pos)) return std::nullopt;
    return toUnits(win32::pixelPointOf(pos));
}

int screenWidth() {
    return toUnits(GetSystemMetrics(SM_CXSCREEN));
}

int screenHeight() {
    return toUnits(GetSystemMetrics(SM_CYSCREEN));
}

Rect workAreaAt(Point point) {
    return toUnits(win32::workAreaPixelsAt(toPixels(point)));
}

PixelRect win32::workAreaPixelsAt(PixelPoint point) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromPoint(win32::toPOINT(point), MONITOR_DEFAULTTONEAREST), &monitor))
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return win32::pixelRectOf(monitor.rcWork);
}

int messageBox(const Form* owner, const std::string& text, const std::string& caption,
               unsigned style) {
    return MessageBoxW(owner ? win32::windowOf(*owner) : nullptr, win32::widen(text).c_str(),
                       win32::widen(caption).c_str(), style);
}

SingleInstance::SingleInstance(const std::string& name)
    : handle_(CreateMutexW(nullptr, FALSE, win32::widen(name).c_str())),
      acquired_(handle_ != nullptr && GetLastError() != ERROR_ALREADY_EXISTS) {}

SingleInstance::~SingleInstance() {
    if (handle_) CloseHandle(handle_);
}

namespace {
BOOL CALLBACK collectTopmost(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}
} // namespace

// Raised from the bottom one up, so that each ends above those raised before it, as it was.
void raiseTopmostWindows() {
    std::vector<HWND> topmost; // from the top down
    EnumThreadWindows(GetCurrentThreadId(), collectTopmost, reinterpret_cast<LPARAM>(&topmost));
    for (auto window = topmost.rbegin(); window != topmost.rend(); ++window)
        SetWindowPos(*window, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void initCommonControls() {
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof classes;
    classes.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS |
                    ICC_TAB_CLASSES;
    InitCommonControlsEx(&classes);
}

} // namespace platform
