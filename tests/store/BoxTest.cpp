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

} // namespace
