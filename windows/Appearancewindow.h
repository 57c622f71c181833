#pragma once
// What the settings dialog needs of the category window: after every change of the appearance
// the window lays its rows out again and repaints.

class AppearanceWindow {
public:
    virtual ~AppearanceWindow() = default;
    // Recomputes every rectangle from the manager's appearance and sizes the window to fit.
    virtual void updateLayout() = 0;
    // Paints the whole window again.
    virtual void repaintWindow() = 0;
};
