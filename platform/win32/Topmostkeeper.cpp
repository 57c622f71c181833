#include "platform/Topmost.h"

#include "platform/System.h"
#include "platform/win32/Formwindow.h"

namespace platform {
namespace {

bool keeping = false;

void CALLBACK foregroundChanged(HWINEVENTHOOK, DWORD, HWND, LONG object, LONG, DWORD, DWORD) {
    if (object == OBJID_WINDOW) raiseTopmostWindows();
}

} // namespace

// Told on this thread, in its message loop, and only of other programs' windows.
TopmostKeeper::TopmostKeeper()
    : hook_(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                            foregroundChanged, 0, 0,
                            WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS)) {
    keeping = true;
}

TopmostKeeper::~TopmostKeeper() {
    keeping = false;
    if (hook_) UnhookWinEvent(static_cast<HWINEVENTHOOK>(hook_));
}

void win32::programDeactivated() {
    if (keeping) raiseTopmostWindows();
}

} // namespace platform
