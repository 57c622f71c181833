#pragma once
// What the main window needs of the category window that hangs below it. The category window
// calls the main window's pressButton when it is shown and releaseButton when it is hidden.

class CategoryWindow {
public:
    virtual ~CategoryWindow() = default;
    virtual bool isShown() const = 0;
    // Shows the window below the main window.
    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
    // Hangs below the main window again, which has moved, kept within the screen.
    virtual void followMainWindow() = 0;
};
