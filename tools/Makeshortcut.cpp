// makeshortcut TARGET LINK: writes a shortcut file at LINK that points at TARGET, through the
// system's shell-link object as Kestrum itself writes them. Makes the demo folder's and the
// end-to-end tests' shortcuts under Wine. Exits 0 on success, 1 when the shortcut cannot be
// written, 2 on a wrong command line.
#include "platform/Process.h"
#include "platform/Shell.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: makeshortcut TARGET LINK\n");
        return 2;
    }
    const platform::OleSession ole;
    const int result = platform::createShellLink(argv[1], argv[2], "");
    if (result < 0) {
        std::fprintf(stderr, "makeshortcut: cannot write %s (error 0x%08X)\n", argv[2],
                     static_cast<unsigned>(result));
        return 1;
    }
    return 0;
}
