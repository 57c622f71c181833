#include "mainbutton/Mainformanimater.h"

#include <algorithm>

int MainFormAnimater::target() const {
    return direction == Showing ? shownBottom : hiddenBottom;
}

bool MainFormAnimater::sliding() const {
    return window.top() + window.height() != target();
}

void MainFormAnimater::step() {
    const int height = window.height();
    const int bottom = window.top() + height;
    const int goal = target();
    if (bottom == goal) return;
    if (direction == Showing)
        window.setTop(bottom > goal ? goal - height
                                    : window.top() + std::min(showStep, goal - bottom));
    else
        window.setTop(bottom < goal ? goal - height
                                    : window.top() - std::min(hideStep, bottom - goal));
}

void MainFormAnimater::setVisibleHeight(int visibleHeight) {
    if (visibleHeight > 0 && visibleHeight < shownBottom) hiddenBottom = visibleHeight;
}
