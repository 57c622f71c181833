#include "platform/Process.h"

#include <ole2.h>
#include <shellapi.h>
#include <windows.h>

namespace platform {

std::string executablePath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), DWORD(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
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
    const HINSTANCE result =
        ShellExecuteA(nullptr, "open", name.c_str(), nullptr, nullptr, SW_SHOWDEFAULT);
    // Values up to 32 are the shell's error codes.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace platform
