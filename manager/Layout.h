#pragma once
// The layout of the category rows: every rectangle the painter, the hit tests and the window
// need, computed from the categories and the appearance into a value the category window keeps
// and replaces. Pure arithmetic over a text measurer: nothing is drawn, no window is needed, and
// the categories are only read.

#include "platform/Font.h"
#include "platform/Geometry.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class Bar;
class IconArea;
namespace platform {
class Canvas;
}

namespace layout {

// The size `text` takes when drawn in `font`.
using TextMeasurer =
    std::function<platform::Size(const platform::Font& font, const std::string& text)>;
// Measures as `canvas` draws; it takes each font in turn and keeps the last.
TextMeasurer measuringOn(platform::Canvas& canvas);

// What the layout reads of the shared appearance.
struct Appearance {
    bool smallIcons;     // 45 x 45 cells, else 70 x 60
    int iconPixelSize;   // of the picture inside a cell
    bool showIconTitle;  // titles under the pictures, which widens and heightens the cells
    platform::Font iconTitleFont;
    platform::Font barNameFont; // for every category without a name font of its own
    std::uint8_t barNameAlignment;
    bool nameLeft; // the name box left of the icons, else right of them
};

using Categories = std::vector<std::unique_ptr<Bar>>;

// One entry's cell, in its row's coordinates; the picture's and the title's places are
// relative to the cell.
struct Cell {
    IconArea* entry;
    platform::Rect rect;
    platform::Rect icon;
    // Only its corner and height: a title is drawn unclipped, however wide.
    platform::Rect title;
};

// One category's row. Its icons may take several lines of the same height; the name box stands
// beside the first.
struct Row {
    Bar* category;
    platform::Rect rect;    // on the window
    platform::Rect nameBox; // in the row's coordinates, as the icon area is
    platform::Rect iconBox;
    std::uint8_t nameAlignment;
    int lineCount;
    std::vector<Cell> cells; // in list order

    platform::Rect onWindow(const platform::Rect& local) const {
        return local.offset({rect.left, rect.top});
    }
    // The first cell strictly holding the point, in the row's coordinates: a point on a cell's
    // edge belongs to none.
    const Cell* cellAt(platform::Point local) const;
};

class Rows {
public:
    Rows() = default;
    Rows(std::vector<Row> rows, platform::Rect area);

    // What the rows cover together, from the corner they were laid out from: the width of the
    // widest row and the bottom of the last as the height.
    const platform::Rect& area() const { return area_; }
    const std::vector<Row>& rows() const { return rows_; }

    // The first row whose rectangle strictly holds the window point, or null.
    const Row* rowAt(platform::Point point) const;
    // Null for a category or an entry laid out in no row.
    const Row* rowOf(const Bar* category) const;
    const Cell* cellOf(const IconArea* entry) const;
    // The entry's cell on the window; empty when it is in no row.
    platform::Rect cellOnWindow(const IconArea* entry) const;
    // The cell under the window point, or null.
    const Cell* cellAt(platform::Point point) const;

private:
    std::vector<Row> rows_;
    platform::Rect area_;
    // Where each entry's cell is: its row's index and its own.
    std::unordered_map<const IconArea*, std::pair<std::size_t, std::size_t>> places_;
};

// Lays the rows out from `corner` down, each as tall as the tallest cell and name box; every
// category's two boxes go into two columns as wide as their widest box. A row whose icons would
// make the rows wider than `maxWidth` breaks them into lines inside its icon area.
Rows layOut(const Categories& categories, const Appearance& appearance,
            const TextMeasurer& measure, platform::Point corner,
            int maxWidth = std::numeric_limits<int>::max());

} // namespace layout
