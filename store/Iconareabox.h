#pragma once
// The part of a category's strip that holds its icons. Moving it or changing its height moves the
// category's entry cells along, so the layout only has to place the box.
//
// On a screen too narrow for the whole row the cells wrap onto further lines inside the box, in
// the same order; every line starts at the left margin.

#include "store/Square.h"

#include <cstdint>
#include <functional>
#include <limits>

class Bar;
class IconArea;

class IconAreaBox : public Square {
public:
    explicit IconAreaBox(Bar* owner);

    // Places the entries from left to right, the first LeftMargin after the box's left edge,
    // line after line.
    void SetLeft(std::int32_t x) override;
    void SetTop(std::int32_t y) override;    // the first line's entries get Top y
    void SetHeight(std::int32_t h) override; // every entry's Height becomes h
    void ResetWidth();                       // Width = LeftMargin + RightMargin
    void GrowWidth(std::int32_t n);          // SetWidth(Width + n)

    // Breaks the entries into lines that keep the box at most `boxWidth` wide, and narrows the
    // box to its widest line. A line holds at least one entry, however narrow the room.
    void wrapAt(std::int32_t boxWidth);
    // How many lines the entries take; an empty box has one.
    int lineCount() const;

    Bar* Owner;
    std::int32_t LeftMargin = 10;
    std::int32_t RightMargin = 15;
    // The room for the cells of one line, the margins left out.
    std::int32_t LineWidth = std::numeric_limits<std::int32_t>::max();
    // From the top of one line to the top of the next.
    std::int32_t LineHeight = 0;

private:
    // Calls `visit` with each entry, its left within its line (from the left margin) and its line.
    void forEachPlace(const std::function<void(IconArea&, std::int32_t, int)>& visit) const;
    void placeEntries();
};
