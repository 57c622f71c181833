#include "command/Rowlist.h"

#include "windows/Scrollcue.h"

#include <algorithm>

namespace {

namespace Colors = platform::Colors;

// The sunken edge that a list of the system has.
constexpr int kFrame = 2;
constexpr platform::Color kEdgeLight = Colors::SystemBase + 20; // COLOR_BTNHIGHLIGHT
constexpr platform::Color kEdgeDark = Colors::SystemBase + 21;  // COLOR_3DDKSHADOW
constexpr platform::Color kEdgeFace = Colors::SystemBase + 22;  // COLOR_3DLIGHT

constexpr int kWheelRows = 3; // a notch
constexpr int kCueWidth = 3;
constexpr int kCueInset = 2;
constexpr int kCueStrip = kCueWidth + 2 * kCueInset; // beside the rows

platform::Rect shrunk(const platform::Rect& rect, int by) {
    return {rect.left + by, rect.top + by, std::max(0, rect.width - 2 * by),
            std::max(0, rect.height - 2 * by)};
}

} // namespace

RowList::RowList(platform::Form& form, int rowHeight)
    : platform::Control(form), rowHeight_(std::max(1, rowHeight)) {}

void RowList::setRowCount(int count) {
    rowCount_ = std::max(0, count);
    selected_ = -1;
    topRow_ = 0;
    pressedRow_ = -1;
    redraw();
}

void RowList::setSelectedIndex(int index) {
    const int selected = index >= 0 && index < rowCount_ ? index : -1;
    if (selected != selected_) redraw();
    selected_ = selected;
    if (selected_ < 0) return;
    if (selected_ < topRow())
        scrollTo(selected_);
    else if (selected_ >= topRow() + rowsInView())
        scrollTo(selected_ - rowsInView() + 1);
}

// Kept within the rows as the count or the list's height changes.
int RowList::topRow() const {
    return std::clamp(topRow_, 0, std::max(0, rowCount_ - rowsInView()));
}

void RowList::scrollTo(int row) {
    const int before = topRow();
    topRow_ = row;
    topRow_ = topRow();
    if (topRow_ != before) redraw();
}

// Under Wine each request to paint is a call to the window server: a keystroke that changes
// the count, the selection and the view asks once.
void RowList::redraw() {
    if (paintAsked_) return;
    paintAsked_ = true;
    invalidate();
}

void RowList::scrollByWheel(int delta) {
    scrollTo(topRow() - delta * kWheelRows / 120);
}

int RowList::rowsInView() const {
    return std::max(1, inner().height / rowHeight_);
}

platform::Rect RowList::inner() const {
    return shrunk({0, 0, bounds().width, bounds().height}, kFrame);
}

int RowList::rowWidth() const {
    return std::max(0, inner().width - (showsCue() ? kCueStrip : 0));
}

platform::Rect RowList::rowInList(int row) const {
    const platform::Rect view = inner();
    return {view.left, view.top + (row - topRow()) * rowHeight_, rowWidth(), rowHeight_};
}

platform::Rect RowList::rowRect(int row) const {
    return rowInList(row).offset({bounds().left, bounds().top});
}

int RowList::rowAt(platform::Point pos) const {
    const platform::Rect view = inner();
    if (!view.contains(pos) || pos.x >= view.left + rowWidth()) return -1;
    const int row = topRow() + (pos.y - view.top) / rowHeight_;
    return row < rowCount_ ? row : -1;
}

void RowList::MouseDown(const platform::MouseEvent& event) {
    if (event.button != platform::MouseButton::Left) return;
    pressedRow_ = rowAt(event.pos);
    if (pressedRow_ < 0) return;
    setSelectedIndex(pressedRow_);
    if (onSelect) onSelect();
}

void RowList::Paint(platform::Canvas& canvas) {
    paintAsked_ = false;
    picture_.resize(std::max(1, bounds().width), std::max(1, bounds().height));
    platform::Canvas& onPicture = picture_.canvas();
    onPicture.clearClip();
    onPicture.font = canvas.font;
    drawList(onPicture);
    canvas.drawBitmap({0, 0}, picture_);
}

// The rows in view and no others; the last may be cut by the bottom edge.
void RowList::drawList(platform::Canvas& canvas) {
    const platform::Rect area{0, 0, bounds().width, bounds().height};
    platform::drawFrame(canvas, area, Colors::ButtonShadow, kEdgeLight);
    platform::drawFrame(canvas, shrunk(area, 1), kEdgeDark, kEdgeFace);
    const platform::Rect view = inner();
    canvas.brush = {Colors::Window, platform::BrushStyle::Solid};
    canvas.fillRect(view);
    canvas.setClip(view);
    const platform::Font font = canvas.font;
    for (int row = topRow(); row < rowCount_; ++row) {
        const platform::Rect rect = rowInList(row);
        if (rect.top >= view.bottom()) break;
        const bool selected = row == selected_;
        if (selected) {
            canvas.brush.color = Colors::Highlight;
            canvas.fillRect(rect);
        }
        canvas.font = font;
        canvas.font.color = selected ? Colors::HighlightText : Colors::WindowText;
        if (onDrawRow) onDrawRow({canvas, row, rect, selected, false});
    }
    if (showsCue()) drawCue(canvas);
}

// A thumb as long as the view's share of the rows, as far down as the view lies.
void RowList::drawCue(platform::Canvas& canvas) const {
    const platform::Rect view = inner();
    const platform::Rect track{view.right() - kCueInset - kCueWidth, view.top + kCueInset,
                               kCueWidth, std::max(0, view.height - 2 * kCueInset)};
    canvas.brush = {Colors::ButtonShadow, platform::BrushStyle::Solid};
    canvas.fillRect(scrollCue(track, rowsInView(), rowCount_, topRow()));
}
