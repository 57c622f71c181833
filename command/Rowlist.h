#pragma once
// The command window's list: rows of one height that the window draws itself, of which the list
// knows only how many there are and which one is selected. Only the rows in view are drawn, so
// that a list of twelve thousand rows costs what a screenful costs, and a new count is only a
// number. The keyboard stays in the window's edit box, which moves the selection; the pointer
// selects a row and the wheel scrolls. A slim cue at the right edge shows where the view lies
// when there are more rows than fit. Every figure is in units: the window system scales them.
// The list draws every pixel of its own through a picture it keeps, which a keystroke's
// painting then need not make anew: its form may paint straight onto the window.

#include "platform/Canvas.h"
#include "platform/Control.h"
#include "platform/Controls.h"

#include <functional>

class RowList : public platform::Control {
public:
    // Rows `rowHeight` units high.
    RowList(platform::Form& form, int rowHeight);

    int rowCount() const { return rowCount_; }
    // Selects nothing and shows the first row.
    void setRowCount(int count);
    // -1 when no row is selected.
    int selectedIndex() const { return selected_; }
    // An index outside the rows selects nothing; a selected row is scrolled into view.
    void setSelectedIndex(int index);

    // The first row in view.
    int topRow() const;
    // As far as the rows go: the last row never rises above the bottom of the view.
    void scrollTo(int row);
    // The wheel turned `delta` 120ths of a notch away from the user: three rows a notch.
    void scrollByWheel(int delta);
    // Rows that fit wholly in the view (at least one): what Page Up and Page Down move by.
    int rowsInView() const;
    bool showsCue() const { return rowCount_ > rowsInView(); }
    // Where the row lies in the form's client area: above or below the list when it is
    // scrolled out of view.
    platform::Rect rowRect(int row) const;
    // The row under `pos` (the list's own coordinates), or -1.
    int rowAt(platform::Point pos) const;
    // The row the last press of the left button landed on, or -1.
    int pressedRow() const { return pressedRow_; }

    // Draws one row, on a canvas filled with its background and set to its text colour.
    std::function<void(const platform::ListRow&)> onDrawRow;
    // After a press of the left button selected a row.
    std::function<void()> onSelect;

    void Paint(platform::Canvas& canvas) override;
    void MouseDown(const platform::MouseEvent& event) override;

private:
    void drawList(platform::Canvas& canvas);
    // Inside the sunken frame.
    platform::Rect inner() const;
    // In the list's own coordinates.
    platform::Rect rowInList(int row) const;
    int rowWidth() const;
    void drawCue(platform::Canvas& canvas) const;
    // Asks the form to paint the list, unless it has been asked since the list last painted.
    void redraw();

    const int rowHeight_;
    int rowCount_ = 0;
    int selected_ = -1;
    int topRow_ = 0;
    int pressedRow_ = -1;
    bool paintAsked_ = false;
    platform::Bitmap picture_{1, 1}; // the list's size once painted
};
