#pragma once
// The part of a category's strip that holds its name; the layout places it, the painter draws
// the name into it.

#include "store/Square.h"

#include <cstdint>

class Bar;

class BarNameBox : public Square {
public:
    explicit BarNameBox(Bar* owner) : Owner(owner) {}

    Bar* Owner;
    std::uint8_t Alignment = 0; // 0 left, 1 centre, 2 right
};
