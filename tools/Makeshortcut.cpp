// makeshortcut TARGET LINK [TARGET LINK ...]: writes a shortcut file at each LINK that points at
// its TARGET, through the system's shell-link object as Kestrum itself writes them. Makes the demo
// folder's and the end-to-end tests' shortcuts under Wine, many in one start. Exits 0 on success,
// 1 when a shortcut cannot be written (the others are still tried), 2 on a wrong command line.
#include "platform/Process.h"
#include "platform/Shell.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3 || argc % 2 != 1) {
        std::fprintf(stderr, "usage: makeshortcut TARGET LINK [TARGET LINK ...]\n");
        return 2;
    }
    const platform::OleSession ole;
    int exitCode = 0;
    for (int i = 1; i < argc; i += 2) {
        const int result = platform::createShellLink(argv[i], argv[i + 1], "");
        if (result < 0) {
            std::fprintf(stderr, "makeshortcut: cannot write %s (error 0x%08X)\n", argv[i + 1],
                         static_cast<unsigned>(result));
            exitCode = 1;
        }
    }
    return exitCode;
}
