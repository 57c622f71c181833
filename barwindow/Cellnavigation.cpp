#include "barwindow/Cellnavigation.h"

#include <cstdlib>

std::optional<std::size_t> nearestCellVertically(const std::vector<platform::Rect>& cells,
                                                 const platform::Rect& from, bool down) {
    const auto beyond = [&](const platform::Rect& cell) {
        return down ? cell.top >= from.bottom() : cell.bottom() <= from.top;
    };
    std::optional<int> line;
    for (const platform::Rect& cell : cells)
        if (beyond(cell) && (!line || (down ? cell.top < *line : cell.top > *line)))
            line = cell.top;
    if (!line) return std::nullopt;
    const int middle = 2 * from.left + from.width;
    std::optional<std::size_t> nearest;
    int nearestDistance = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const platform::Rect& cell = cells[i];
        if (cell.top != *line) continue;
        const int distance = std::abs(2 * cell.left + cell.width - middle);
        if (!nearest || distance < nearestDistance ||
            (distance == nearestDistance && cell.left < cells[*nearest].left)) {
            nearest = i;
            nearestDistance = distance;
        }
    }
    return nearest;
}
