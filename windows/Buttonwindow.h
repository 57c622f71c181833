#pragma once
// What the settings dialog changes on the main button window: its colour and how many of its
// rows stay on the screen while it is hidden, both kept in the global settings file.

#include "platform/Color.h"

class ButtonWindow {
public:
    virtual ~ButtonWindow() = default;
    virtual platform::Color buttonColor() const = 0;
    virtual void setButtonColor(platform::Color color) = 0;
    // The bottom edge when hidden, that is, the visible height.
    virtual int hiddenBottom() const = 0;
    // The bottom edge when fully shown; the visible height stays below it.
    virtual int shownBottom() const = 0;
    // Takes `visibleHeight` only from 1 to shownBottom() - 1.
    virtual void setVisibleHeight(int visibleHeight) = 0;
    virtual void saveButtonSettings() = 0;
};
