#include "manager/Layout.h"

#include "platform/Canvas.h"
#include "store/Bar.h"
#include "store/Iconarea.h"

#include <algorithm>

namespace layout {
namespace {

constexpr int kSmallCell = 45;
constexpr int kLargeCellWidth = 70;
constexpr int kLargeCellHeight = 60;
constexpr int kTitleExtraWidth = 20;
constexpr int kTitleGap = 10;
constexpr int kTitleLeftWhenTooWide = 4;
constexpr int kTitleRoom = 8;
constexpr int kNameBoxExtraWidth = 20;
constexpr int kNameBoxExtraHeight = 10;
// Around the cells of an icon area: the first cell starts kIconsLeftMargin in.
constexpr int kIconsLeftMargin = 10;
constexpr int kIconsRightMargin = 15;
constexpr int kIconsMargins = kIconsLeftMargin + kIconsRightMargin;

// The cell's size and the picture's and title's places in it; the cell's corner comes later.
Cell sizedCell(IconArea& entry, const Appearance& appearance, const TextMeasurer& measure) {
    const int px = appearance.iconPixelSize;
    Cell cell{&entry, {}, {}, {}};
    cell.rect.height = appearance.smallIcons ? kSmallCell : kLargeCellHeight;
    cell.rect.width = appearance.smallIcons ? kSmallCell : kLargeCellWidth;
    cell.icon = {(cell.rect.width - px) / 2, (cell.rect.height - px) / 2, px, px};
    if (appearance.showIconTitle) {
        cell.rect.width += kTitleExtraWidth;
        cell.icon.left = (cell.rect.width - px) / 2;
        const platform::Size title = measure(appearance.iconTitleFont, entry.GetTitle());
        cell.title.left = title.width > cell.rect.width - kTitleRoom
                              ? kTitleLeftWhenTooWide
                              : (cell.rect.width - title.width) / 2;
        cell.title.height = title.height;
        cell.rect.height += title.height;
        cell.icon.top = (cell.rect.height - px - title.height - kTitleGap) / 2;
        cell.title.top = cell.icon.top + px + kTitleGap;
    }
    return cell;
}

// Calls `visit` with each cell, its left within its line (from the left margin) and its line:
// a cell goes to the next line when it would reach past `lineWidth`, unless it starts the line.
template <typename Visit>
void forEachPlace(std::vector<Cell>& cells, int lineWidth, Visit visit) {
    int x = 0;
    int line = 0;
    for (Cell& cell : cells) {
        if (x > 0 && cell.rect.width > lineWidth - x) {
            ++line;
            x = 0;
        }
        visit(cell, x, line);
        x += cell.rect.width;
    }
}

} // namespace

TextMeasurer measuringOn(platform::Canvas& canvas) {
    return [&canvas](const platform::Font& font, const std::string& text) {
        canvas.font = font;
        return canvas.textExtent(text);
    };
}

const Cell* Row::cellAt(platform::Point local) const {
    for (const Cell& cell : cells)
        if (cell.rect.containsStrictly(local)) return &cell;
    return nullptr;
}

Rows::Rows(std::vector<Row> rows, platform::Rect area) : rows_(std::move(rows)), area_(area) {
    for (std::size_t r = 0; r < rows_.size(); ++r)
        for (std::size_t c = 0; c < rows_[r].cells.size(); ++c)
            places_[rows_[r].cells[c].entry] = {r, c};
}

const Row* Rows::rowAt(platform::Point point) const {
    for (const Row& row : rows_)
        if (row.rect.containsStrictly(point)) return &row;
    return nullptr;
}

const Row* Rows::rowOf(const Bar* category) const {
    for (const Row& row : rows_)
        if (row.category == category) return &row;
    return nullptr;
}

const Cell* Rows::cellOf(const IconArea* entry) const {
    const auto found = places_.find(entry);
    if (found == places_.end()) return nullptr;
    return &rows_[found->second.first].cells[found->second.second];
}

platform::Rect Rows::cellOnWindow(const IconArea* entry) const {
    const auto found = places_.find(entry);
    if (found == places_.end()) return {};
    const Row& row = rows_[found->second.first];
    return row.onWindow(row.cells[found->second.second].rect);
}

const Cell* Rows::cellAt(platform::Point point) const {
    const Row* row = rowAt(point);
    return row ? row->cellAt({point.x - row->rect.left, point.y - row->rect.top}) : nullptr;
}

// The rows start at the window's left edge; the left column starts at the corner's x, the right
// one ends where the rows do.
Rows layOut(const Categories& categories, const Appearance& appearance,
            const TextMeasurer& measure, platform::Point corner, int maxWidth) {
    std::vector<Row> rows;
    int cellHeight = 0; // every cell is as tall as the tallest
    int nameWidth = 0;
    int lineHeight = 0;
    for (const auto& category : categories) {
        Row row{category.get(), {}, {}, {}, appearance.barNameAlignment, 1, {}};
        for (const auto& entry : category->Links) {
            row.cells.push_back(sizedCell(*entry, appearance, measure));
            cellHeight = std::max(cellHeight, row.cells.back().rect.height);
        }
        const platform::Size name = measure(
            category->UseOwnNameFont ? category->NameFont : appearance.barNameFont,
            category->GetName());
        row.nameBox.width = name.width + kNameBoxExtraWidth;
        row.nameBox.height = name.height + kNameBoxExtraHeight;
        nameWidth = std::max(nameWidth, row.nameBox.width);
        lineHeight = std::max(lineHeight, row.nameBox.height);
        rows.push_back(std::move(row));
    }
    lineHeight = std::max(lineHeight, cellHeight);
    // A name too wide for the screen leaves room for at least one icon a line and runs over
    // into the icons: the window stays within the work area, and every icon on the screen.
    int widestCell = 0;
    for (const Row& row : rows)
        for (const Cell& cell : row.cells)
            widestCell = std::max(widestCell, cell.rect.width);
    nameWidth = std::max(0, std::min(nameWidth, maxWidth - kIconsMargins - widestCell));

    const int lineWidth = maxWidth - nameWidth - kIconsMargins;
    int iconsWidth = 0;
    for (Row& row : rows) {
        int widest = 0;
        forEachPlace(row.cells, lineWidth, [&](Cell& cell, int x, int line) {
            cell.rect.height = cellHeight;
            cell.rect.left = kIconsLeftMargin + x; // from the icon area's left, for now
            cell.rect.top = line * lineHeight;
            widest = std::max(widest, x + cell.rect.width);
            row.lineCount = line + 1;
        });
        iconsWidth = std::max(iconsWidth, kIconsMargins + widest);
    }

    const int leftWidth = appearance.nameLeft ? nameWidth : iconsWidth;
    const int rightWidth = appearance.nameLeft ? iconsWidth : nameWidth;
    const int total = leftWidth + rightWidth;
    int y = corner.y;
    for (Row& row : rows) {
        row.rect = {0, y, total, lineHeight * row.lineCount};
        y += row.rect.height;
        platform::Rect& left = appearance.nameLeft ? row.nameBox : row.iconBox;
        platform::Rect& right = appearance.nameLeft ? row.iconBox : row.nameBox;
        left.left = corner.x;
        left.width = leftWidth;
        right.left = total - rightWidth;
        right.width = rightWidth;
        row.iconBox.height = cellHeight;
        for (Cell& cell : row.cells)
            cell.rect.left += row.iconBox.left;
    }
    return Rows(std::move(rows), {corner.x, corner.y, total, y - corner.y});
}

} // namespace layout
