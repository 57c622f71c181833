#pragma once
// The part of a category's strip that holds its icons. Moving it or changing its height moves the
// category's entry cells along, so the layout only has to place the box.

#include "store/Square.h"

class Bar;

class IconAreaBox : public Square {
public:
    explicit IconAreaBox(Bar* owner);

    // Places the entries from left to right, the first LeftMargin after the box's left edge.
    void SetLeft(std::int32_t x) override;
    void SetTop(std::int32_t y) override;    // every entry's Top becomes y
    void SetHeight(std::int32_t h) override; // every entry's Height becomes h
    void ResetWidth();                       // Width = LeftMargin + RightMargin
    void GrowWidth(std::int32_t n);          // SetWidth(Width + n)

    Bar* Owner;
    std::int32_t LeftMargin = 10;
    std::int32_t RightMargin = 15;
};
