#pragma once
// What the category window needs of the main window it hangs below: where to hang, and the
// main button, which the category window presses when it is shown and releases when it is hidden.

#include "platform/Geometry.h"

namespace platform {
class Form;
}

class MainWindow {
public:
    virtual ~MainWindow() = default;
    // The window to hang below.
    virtual const platform::Form& form() const = 0;
    // The main window's left edge and the first row below it.
    virtual platform::Point bottomLeft() const = 0;
    virtual void pressButton() = 0;
    // Also hides the command window, which never stays open without the category window.
    virtual void releaseButton() = 0;
};
