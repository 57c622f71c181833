#pragma once
// Measures text in a font off-screen, the way it would be drawn on a window.

#include "platform/Font.h"

#include <memory>
#include <string_view>

namespace platform {

struct TextSize {
    int width = 0;
    int height = 0;
    bool operator==(const TextSize& other) const {
        return width == other.width && height == other.height;
    }
};

class MeasureCanvas {
public:
    MeasureCanvas();
    ~MeasureCanvas();
    MeasureCanvas(const MeasureCanvas&) = delete;
    MeasureCanvas& operator=(const MeasureCanvas&) = delete;

    // The font stays with the canvas until the next call.
    void setFont(const Font& font);
    const Font& font() const;
    // Width and height of `text` as one line in the canvas's font.
    TextSize textExtent(std::string_view text) const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace platform
