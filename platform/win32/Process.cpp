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

void openDocument(const std::string& name) {
    ShellExecuteA(nullptr, "open", name.c_str(), nullptr, nullptr, SW_SHOWDEFAULT);
}

} // namespace platform
