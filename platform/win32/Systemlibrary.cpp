#include "platform/win32/Systemlibrary.h"
#include "platform/Process.h"

#include <string>

namespace platform {

void restrictLibrarySearch() {
    // Windows 7 has SetDefaultDllDirectories only with an update: looked up, not imported, so
    // that the program still starts there.
    using SetDefaultDirectories = BOOL WINAPI(DWORD);
    const auto setDefault = reinterpret_cast<SetDefaultDirectories*>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L""); // the current folder is searched no more
}

namespace win32 {

HMODULE systemLibrary(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    // A full path is looked for nowhere else; a 32-bit program on 64-bit Windows is sent to its
    // own system folder by the system, as for every system library.
    return LoadLibraryExW((std::wstring(folder, length) + L"\\" + name).c_str(), nullptr, 0);
}

} // namespace win32
} // namespace platform
