#pragma once
// What every benchmark needs: a stopwatch and a scratch folder of its own.

#include <chrono>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace bench {

template <typename Work> double millisecondsFor(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// Lets the window system paint what it was asked to, so that drawing is part of a time.
inline void finishDrawing() {
#ifdef _WIN32
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    GdiFlush();
#endif
}

// Runs `slice` (one slice of the icon loader's, returning what it returns) back to back, as the
// message loop does while no message waits, until the loader has no answer left to give and none
// to wait for. While it waits for its reader, the messages that come are handled, the reader's
// word among them, and at most a few milliseconds pass before the next slice looks again.
template <typename Loader, typename Slice> void loadEveryEntry(const Loader& loader, Slice&& slice) {
    for (;;) {
        if (slice()) continue;
        if (!loader.waiting()) return;
#ifdef _WIN32
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        finishDrawing();
#endif
    }
}

// A folder under the system's temporary folder named `name` (not created here).
inline std::string scratchFolder(const std::string& name) {
#ifdef _WIN32
    char buffer[MAX_PATH];
    GetTempPathA(MAX_PATH, buffer);
    return std::string(buffer) + name;
#else
    return "/tmp/" + name;
#endif
}

} // namespace bench
