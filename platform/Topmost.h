#pragma once
// Keeps the program's always-on-top windows above those of other programs without looking at
// the stacking again and again: while a TopmostKeeper lives, they go back on top
// (raiseTopmostWindows) whenever a window of another program becomes the foreground window.
// The system tells that through a window-event hook; where it does not (Wine raises no such
// event), the program learns it when it stops being the active program.

namespace platform {

class TopmostKeeper {
public:
    TopmostKeeper();
    ~TopmostKeeper();
    TopmostKeeper(const TopmostKeeper&) = delete;
    TopmostKeeper& operator=(const TopmostKeeper&) = delete;

private:
    void* hook_;
};

} // namespace platform
