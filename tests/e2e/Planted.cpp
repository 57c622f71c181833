// A library that someone could leave beside Kestrum.exe under the name of one it loads: when
// loaded, it writes an empty file named after its own path plus ".loaded" and does nothing else.
// It exports the two functions Kestrum took from the accessibility library, so that as OLEACC.dll
// it would satisfy that import.
#include <windows.h>

#include <string>

extern "C" __declspec(dllexport) LRESULT WINAPI LresultFromObject(REFIID, WPARAM, void*) {
    return 0;
}

extern "C" __declspec(dllexport) HRESULT WINAPI AccessibleObjectFromWindow(HWND, DWORD, REFIID,
                                                                           void**) {
    return E_FAIL;
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return TRUE;
    const HANDLE record = CreateFileW((std::wstring(path, length) + L".loaded").c_str(),
                                      GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (record != INVALID_HANDLE_VALUE) CloseHandle(record);
    return TRUE;
}
