#include "mainbutton/Mainformanimater.h"

#include <algorithm>

void MainFormAnimater::step() {
    const int height = window.height();
    const int bottom = window.top() + height;
    const int target = direction == Showing ? shownBottom : hiddenBottom;
    if (bottom == target) return;
    if (direction == Showing)
        window.setTop(bottom > target ? target - height
                                      : window.top() + std::min(showStep, target - bottom));
    else
        window.setTop(bottom < target ? target - height
                                      : window.top() - std::min(hideStep, bottom - target));
}

void MainFormAnimater::setVisibleHeight(int visibleHeight) {
    if (visibleHeight > 0 && visibleHeight < shownBottom) hiddenBottom = visibleHeight;
}
