#pragma once
// The layout of the category rows: every rectangle the painter, the hit tests and the window
// need, computed from the categories and the appearance. Pure arithmetic over a text measurer:
// nothing is drawn and no window is needed.

#include "platform/Font.h"
#include "platform/Geometry.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class Bar;
class IconArea;
class Square;

namespace layout {

// The size `text` takes when drawn in `font`.
using TextMeasurer =
    std::function<platform::Size(const platform::Font& font, const std::string& text)>;

// What the layout reads of the shared appearance.
struct Appearance {
    bool smallIcons;     // 45 x 45 cells, else 70 x 60
    int iconPixelSize;   // of the picture inside a cell
    bool showIconTitle;  // titles under the pictures, which widens and heightens the cells
    platform::Font iconTitleFont;
    platform::Font barNameFont; // for every category without a name font of its own
    std::uint8_t barNameAlignment;
};

using Categories = std::vector<std::unique_ptr<Bar>>;

// Sizes the entry's cell and places its picture and, when titles are shown, its title in it.
void sizeIconCell(IconArea& entry, const Appearance& appearance, const TextMeasurer& measure);

// Sizes every cell and every category's icon area, all as tall as the tallest cell, whose height
// it returns (0 without entries).
int layoutIcons(const Categories& categories, const Appearance& appearance,
                const TextMeasurer& measure);

// Sizes the category's name box around its name, in its own name font when it uses one.
void sizeNameBox(Bar& category, const platform::Font& sharedFont, const TextMeasurer& measure);

// Stacks the rows from the top of `rows` down, each as tall as the tallest cell and name box;
// every category's two boxes go into two columns as wide as their widest box, starting at the
// left of `rows`. A row whose icons would make the rows wider than `maxWidth` breaks them into
// lines of that height inside its icon area, the name box beside the first line. `rows` takes
// the rows' width and the bottom of the last row as its height.
void layoutRows(const Categories& categories, Square& rows, int maxIconHeight,
                const Appearance& appearance, const TextMeasurer& measure, int maxWidth);

} // namespace layout
