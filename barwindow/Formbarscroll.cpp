// Scrolling the category window: rows taller than the work area leaves below the bar are shown
// a window's height at a time, moved by the wheel, Page Up and Page Down, the keyboard focus and
// a drag held near an edge. Only the visible part is painted.
#include "barwindow/Formbar.h"

#include "windows/Mainwindow.h"
#include "windows/Scrollcue.h"

#include <algorithm>

namespace {

constexpr int kFrame = 2;            // the frame's width on every side
constexpr int kWheelStep = 48;       // a notch, as three lines of text
constexpr int kEdgeReach = 24;       // how near an edge a drag scrolls
constexpr int kEdgeStep = 16;        // per move there
constexpr int kCueWidth = 3;
constexpr int kCueInset = 4;         // from the window's right edge
constexpr platform::Color kCueColor = platform::Colors::ButtonShadow;

} // namespace

int TBarForm::fittedHeight() const {
    const int rows = rows_.area().bottom() + kFrame;
    const int hangTop = mainWindow_ ? mainWindow_->bottomLeft().y : top();
    const int room = screenArea().bottom() - hangTop;
    return std::max(std::min(rows, room), std::min(rows, 2 * kEdgeReach));
}

platform::Rect TBarForm::rowsView() const {
    return {0, kFrame, width(), height() - 2 * kFrame};
}

// The hover goes where it was drawn, before the pixels move; of the rest only the strip that
// comes into view is painted, and the cue, which moves along the whole track.
void TBarForm::scrollTo(int newTop) {
    const int most = std::max(0, rows_.area().bottom() + kFrame - height());
    newTop = std::clamp(newTop, 0, most);
    if (newTop == scrollTop_) return;
    clearHover();
    const int moved = newTop - scrollTop_;
    scrollTop_ = newTop;
    scrollArea(rowsView(), -moved);
    redrawRect(cueTrack());
}

void TBarForm::scrollIntoView(const platform::Rect& area) {
    const platform::Rect view = rowsView();
    if (area.top < view.top)
        scrollTo(scrollTop_ - (view.top - area.top));
    else if (area.bottom() > view.bottom())
        scrollTo(scrollTop_ + std::min(area.bottom() - view.bottom(), area.top - view.top));
}

void TBarForm::scrollNearEdge(int y) {
    if (y < kEdgeReach)
        scrollTo(scrollTop_ - kEdgeStep);
    else if (y >= height() - kEdgeReach)
        scrollTo(scrollTop_ + kEdgeStep);
}

// The entry now under the pointer is shown as hovered at once, without waiting for a move.
void TBarForm::FormMouseWheel(const platform::MouseEvent& event, int delta) {
    scrollTo(scrollTop_ - delta * kWheelStep / 120);
    trackHover(event.pos.x, event.pos.y);
}

platform::Rect TBarForm::cueTrack() const {
    const platform::Rect view = rowsView();
    return {width() - kCueInset - kCueWidth, view.top, kCueWidth, view.height};
}

void TBarForm::drawScrollCue(platform::Canvas& canvas) const {
    const int rows = rows_.area().bottom() + kFrame;
    if (rows <= height()) return;
    const platform::Color brush = canvas.brush.color;
    canvas.brush.color = kCueColor;
    canvas.fillRect(scrollCue(cueTrack(), height(), rows, scrollTop_));
    canvas.brush.color = brush;
}
