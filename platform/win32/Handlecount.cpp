#include "platform/win32/Handlecount.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <windows.h>

namespace platform::win32::handles {

namespace {

int counts[kKinds] = {};
std::wstring reportPath;

BOOL CALLBACK countWindow(HWND window, LPARAM total) {
    ++*reinterpret_cast<int*>(total);
    EnumChildWindows(window, countWindow, total);
    return TRUE;
}

void CALLBACK writeReport(HWND, UINT, UINT_PTR, DWORD) {
    int windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&windows));
    // Written whole and then renamed over the last one, so that a reader never sees half of it.
    const std::wstring partial = reportPath + L".new";
    FILE* file = _wfopen(partial.c_str(), L"wb");
    if (!file) return;
    std::fprintf(file, "gdi objects %d\r\ndevice contexts %d\r\nwindows %d\r\n", counts[GdiObject],
                 counts[DeviceContext], windows);
    std::fclose(file);
    MoveFileExW(partial.c_str(), reportPath.c_str(), MOVEFILE_REPLACE_EXISTING);
}

} // namespace

void created(Kind kind) {
    ++counts[kind];
}

void freed(Kind kind) {
    --counts[kind];
}

void startReportIfAsked() {
    const wchar_t* path = _wgetenv(L"KESTRUM_HANDLE_REPORT");
    if (!path || !*path || !reportPath.empty()) return;
    reportPath = path;
    SetTimer(nullptr, 0, 1000, writeReport);
}

} // namespace platform::win32::handles
