// Up and down among cells as they lie on the screen, rows wrapped onto several lines included.
#include "barwindow/Cellnavigation.h"

#include <gtest/gtest.h>

namespace {

using platform::Rect;

// A row of three and one more wrapped onto its second line, then a row of four.
const std::vector<Rect> kCells{{100, 0, 45, 45},   {145, 0, 45, 45},  {190, 0, 45, 45},
                               {100, 45, 45, 45},  {100, 90, 45, 45}, {145, 90, 45, 45},
                               {190, 90, 45, 45},  {235, 90, 45, 45}};

TEST(CellNavigation, GoesToTheNearestCellOfTheNextLineAboveOrBelow) {
    const struct {
        std::size_t from;
        bool down;
        std::optional<std::size_t> to;
    } cases[] = {
        {2, true, 3},  // the wrapped line first, however far its one cell lies
        {3, true, 4},  // then the next row, straight below
        {7, false, 3}, // up from the end of a longer row
        {5, false, 3},
        {3, false, 0},        // up from the wrapped line to the nearest of the row's first line
        {1, false, std::nullopt}, // nothing above the first line
        {7, true, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(nearestCellVertically(kCells, kCells[c.from], c.down), c.to)
            << "from " << c.from << (c.down ? " down" : " up");
}

TEST(CellNavigation, TwoCellsAsNearTakeTheLeftOne) {
    const std::vector<Rect> cells{{0, 0, 40, 40}, {20, 40, 40, 40}, {-20, 40, 40, 40}};
    EXPECT_EQ(nearestCellVertically(cells, cells[0], true), 2u);
}

} // namespace
