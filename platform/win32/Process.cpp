#include "platform/Process.h"

#include "platform/win32/Wide.h"

#include <ole2.h>
#include <shellapi.h>
#include <windows.h>

namespace platform {

std::string executablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return win32::narrow(path);
        }
        path.resize(path.size() * 2);
    }
}

OleSession::OleSession() {
    OleInitialize(nullptr);
}

OleSession::~OleSession() {
    OleUninitialize();
}

bool openDocument(const std::string& name) {
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", win32::widen(name).c_str(), nullptr,
                                           nullptr, SW_SHOWDEFAULT);
    // Values up to 32 are the shell's error codes.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace platform
