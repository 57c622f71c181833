#pragma once
// How the windowing layer calls the program's handlers: an exception must never unwind through
// the system's message dispatch, so the user sees it in the standard error box and the program
// goes on.

#include "platform/System.h"

#include <exception>

namespace platform {

template <class Handler> void guarded(Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        showErrorBox(error.what());
    } catch (...) {
        showErrorBox("");
    }
}

} // namespace platform
