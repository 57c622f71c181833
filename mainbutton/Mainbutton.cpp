#include "mainbutton/Mainbutton.h"

MainButton::MainButton(platform::Form& parent) : Control(parent) {
    setBounds({0, 0, 100, 25});
    hint = "Click me";
    showHint = true;
}

void MainButton::setDown(bool down) {
    if (down == down_) return;
    down_ = down;
    invalidate();
}

// Pressed, the caption sits one pixel right of and below its released place.
void MainButton::Paint(platform::Canvas& canvas) {
    const platform::Rect area{0, 0, bounds().width, bounds().height};
    const platform::Size text = canvas.textExtent(caption);
    const platform::Point centred{(area.width - text.width) / 2, (area.height - text.height) / 2};
    if (down_) {
        platform::drawFrame(canvas, area, platform::Colors::ButtonShadow, platform::Colors::White);
        canvas.textOut({centred.x + 1, centred.y + 1}, caption);
    } else {
        platform::drawFrame(canvas, area, platform::Colors::White, platform::Colors::ButtonShadow);
        canvas.textOut(centred, caption);
    }
}
