#include "mainbutton/Mainformanimater.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct SlideCase {
    const char* name;
    int direction;
    int visibleHeight;
    int startBottom;
    std::vector<int> bottomsAfterEachTick;
};

const SlideCase kSlides[] = {
    {"down from the strip in steps of 12, the last one shorter",
     MainFormAnimater::Showing,
     1,
     1,
     {13, 25, 27, 27}},
    {"up from fully shown in steps of 5, landing on the strip",
     MainFormAnimater::Hiding,
     1,
     27,
     {22, 17, 12, 7, 2, 1, 1}},
    {"up to a visible height of 5", MainFormAnimater::Hiding, 5, 27, {22, 17, 12, 7, 5}},
    {"up to a visible height of 26", MainFormAnimater::Hiding, 26, 27, {26, 26}},
    {"from the start place 150 below the strip", MainFormAnimater::Hiding, 1, 151, {146, 141}},
    {"above the strip while hiding snaps to it", MainFormAnimater::Hiding, 5, 2, {5, 5}},
    {"below the shown place while showing snaps to it", MainFormAnimater::Showing, 1, 40, {27, 27}},
    {"turning round half-way", MainFormAnimater::Showing, 1, 17, {27}},
};

TEST(MainFormAnimater, MovesTheWindowTowardsTheBottomItsDirectionNames) {
    for (const SlideCase& slide : kSlides) {
        platform::Form window;
        window.setBounds({7, slide.startBottom - 27, 80, 27});
        MainFormAnimater animater(window);
        animater.setVisibleHeight(slide.visibleHeight);
        animater.direction = slide.direction;
        std::vector<int> bottoms;
        for (size_t tick = 0; tick < slide.bottomsAfterEachTick.size(); ++tick) {
            animater.step();
            bottoms.push_back(window.top() + window.height());
        }
        EXPECT_EQ(bottoms, slide.bottomsAfterEachTick) << slide.name;
        EXPECT_EQ(window.left(), 7) << slide.name;
        EXPECT_EQ(window.width(), 80) << slide.name;
    }
}

TEST(MainFormAnimater, VisibleHeightOutsideOneTo26IsIgnored) {
    platform::Form window;
    MainFormAnimater animater(window);
    const struct {
        int requested;
        int expected;
    } cases[] = {{5, 5}, {0, 5}, {-3, 5}, {27, 5}, {100, 5}, {26, 26}, {1, 1}};
    for (const auto& c : cases) {
        animater.setVisibleHeight(c.requested);
        EXPECT_EQ(animater.hiddenBottom, c.expected) << c.requested;
    }
}

} // namespace
