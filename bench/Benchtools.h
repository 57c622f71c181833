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
