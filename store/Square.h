#pragma once
// A rectangle in pixels, the base of every geometry class of the model. Its fields are read
// directly and written through the virtual setters, so that a derived class can move what it
// holds along with it.

#include "platform/Geometry.h"

#include <cstdint>

class Square {
public:
    virtual ~Square() = default;

    virtual void SetLeft(std::int32_t value) { Left = value; }
    virtual void SetTop(std::int32_t value) { Top = value; }
    virtual void SetWidth(std::int32_t value) { Width = value; }
    virtual void SetHeight(std::int32_t value) { Height = value; }

    // The same rectangle in the type the windows draw and repaint with.
    platform::Rect rect() const { return {Left, Top, Width, Height}; }

    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 10;
    std::int32_t Height = 10;
};
