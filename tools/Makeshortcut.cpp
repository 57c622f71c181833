// makeshortcut TARGET LINK [TARGET LINK ...]: writes a shortcut file at each LINK that points at
// its TARGET, through the system's shell-link object as Kestrum itself writes them. Makes the demo
// folder's and the end-to-end tests' shortcuts under Wine, many in one start. Exits 0 on success,
// 1 when a shortcut cannot be written (the others are still tried), 2 on a wrong command line.
// The paths are read from the wide command line, so names in any script arrive whole.
#include "platform/Process.h"
#include "platform/Shell.h"
#include "platform/win32/Wide.h"

#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::string> arguments() {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> list;
    for (int i = 1; wide && i < count; ++i)
        list.push_back(platform::win32::narrow(wide[i]));
    LocalFree(wide);
    return list;
}

} // namespace

int main() {
    const std::vector<std::string> paths = arguments();
    if (paths.size() < 2 || paths.size() % 2 != 0) {
        std::fprintf(stderr, "usage: makeshortcut TARGET LINK [TARGET LINK ...]\n");
        return 2;
    }
    const platform::OleSession ole;
    int exitCode = 0;
    for (std::size_t i = 0; i < paths.size(); i += 2) {
        const int result = platform::createShellLink(paths[i], paths[i + 1], "");
        if (result < 0) {
            std::fprintf(stderr, "makeshortcut: cannot write %s (error 0x%08X)\n",
                         paths[i + 1].c_str(), static_cast<unsigned>(result));
            exitCode = 1;
        }
    }
    return exitCode;
}
