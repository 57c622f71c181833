#pragma once
// Slides the main window up and down at the top edge of the screen, one step per timer tick.
// Only the window's top changes: it moves towards the bottom edge that `direction` names and
// snaps there when it has overshot.

#include "platform/Form.h"

class MainFormAnimater {
public:
    enum Direction { Hiding = 1, Showing = 2 };

    explicit MainFormAnimater(platform::Form& movedWindow) : window(movedWindow) {}

    // One tick of the animation.
    void step();
    // Whether the next tick moves the window: it is not yet where `direction` sends it.
    bool sliding() const;
    // Takes `visibleHeight` as the hidden bottom only from 1 to shownBottom - 1.
    void setVisibleHeight(int visibleHeight);

    platform::Form& window; // not owned
    int direction = Hiding;
    int hiddenBottom = 1; // the bottom edge when hidden, that is, the rows left on screen
    int shownBottom = 27; // the bottom edge when fully shown
    int showStep = 12;
    int hideStep = 5;

private:
    int target() const; // the bottom edge `direction` sends the window to
};
