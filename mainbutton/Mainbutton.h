#pragma once
// The button on the main window: a flat, windowless push button that stays pressed while the
// category window is open. It paints itself in the form's colour, with its form's font.

#include "platform/Control.h"

#include <string>

class MainButton : public platform::Control {
public:
    explicit MainButton(platform::Form& parent);

    std::string caption = "Kestrum";

    bool down() const { return down_; }
    void setDown(bool down);

    void Paint(platform::Canvas& canvas) override;

private:
    bool down_ = false;
};
