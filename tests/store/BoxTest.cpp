#include "store/Bar.h"
#include "tests/store/StoreFixture.h"

#include <gtest/gtest.h>

using testing_support::StoreTest;

namespace {

class Boxes : public StoreTest {
protected:
    // A category with `count` entries whose cells are `width` wide.
    std::unique_ptr<Bar> withEntries(int count, int width) {
        for (int i = 0; i < count; ++i)
            makeShortcut("e" + std::to_string(i) + ".lnk");
        auto bar = load();
        for (const auto& entry : bar->Links)
            entry->SetWidth(width);
        return bar;
    }
};

TEST_F(Boxes, StartWithTheirFixedGeometry) {
    const auto bar = load();
    const IconAreaBox& icons = *bar->IconBox;
    EXPECT_EQ((std::vector<int>{icons.Left, icons.Top, icons.Width, icons.Height}),
              (std::vector<int>{0, 0, 25, 10}));
    EXPECT_EQ(icons.LeftMargin, 10);
    EXPECT_EQ(icons.RightMargin, 15);
    const BarNameBox& name = *bar->NameBox;
    EXPECT_EQ((std::vector<int>{name.Left, name.Top, name.Width, name.Height}),
              (std::vector<int>{0, 0, 10, 10}));
    EXPECT_EQ(bar->LeftBox, bar->IconBox.get());
    EXPECT_EQ(bar->RightBox, bar->NameBox.get());
    EXPECT_EQ(icons.Owner, bar.get());
    EXPECT_EQ(name.Owner, bar.get());
}

TEST_F(Boxes, WidthGrowsByTheEntriesBetweenTheMargins) {
    auto bar = withEntries(3, 60);
    IconAreaBox& box = *bar->IconBox;
    box.SetWidth(999);
    box.ResetWidth();
    EXPECT_EQ(box.Width, 25);
    for (const auto& entry : bar->Links)
        box.GrowWidth(entry->Width);
    EXPECT_EQ(box.Width, 205);
}

TEST_F(Boxes, MovingTheBoxPlacesItsEntries) {
    auto bar = withEntries(3, 45);
    IconAreaBox& box = *bar->IconBox;
    box.SetLeft(100);
    box.SetTop(7);
    box.SetHeight(52);
    EXPECT_EQ(box.Left, 100);
    std::vector<int> lefts;
    for (const auto& entry : bar->Links) {
        lefts.push_back(entry->Left);
        EXPECT_EQ(entry->Top, 7);
        EXPECT_EQ(entry->Height, 52);
        EXPECT_EQ(entry->Width, 45);
    }
    EXPECT_EQ(lefts, (std::vector<int>{110, 155, 200}));
}

TEST_F(Boxes, CellsOfMixedWidthFollowEachOther) {
    auto bar = withEntries(3, 0);
    const int widths[] = {30, 70, 20};
    for (int i = 0; i < 3; ++i)
        bar->GetLink(i)->SetWidth(widths[i]);
    bar->IconBox->SetLeft(0);
    EXPECT_EQ(bar->GetLink(0)->Left, 10);
    EXPECT_EQ(bar->GetLink(1)->Left, 40);
    EXPECT_EQ(bar->GetLink(2)->Left, 110);
}

TEST_F(Boxes, ArrangeGivesProvisionalCellsSideBySide) {
    auto bar = withEntries(3, 80);
    bar->IconBox->SetTop(9);
    bar->ArrangeLinks();
    for (int i = 0; i < 3; ++i) {
        const IconArea& cell = *bar->GetLink(i);
        EXPECT_EQ((std::vector<int>{cell.Left, cell.Top, cell.Width, cell.Height}),
                  (std::vector<int>{32 * i, 0, 32, 32}));
    }
}

} // namespace
