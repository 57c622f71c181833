// Layout of every row, checked against text sizes measured the way the manager measures them,
// so that the same tests hold for the headless metrics and for real fonts under Wine.
#include "manager/Barmanager.h"
#include "manager/Layout.h"
#include "platform/Canvas.h"
#include "store/Bar.h"
#include "store/Iconarea.h"
#include "store/Vcltools.h"
#include "tests/Datafolder.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <limits>

using testing_support::TempFolder;

namespace {

platform::Size measured(const platform::Font& font, const std::string& text) {
    platform::Bitmap bitmap(1, 1);
    bitmap.canvas().font = font;
    return bitmap.canvas().textExtent(text);
}

class LayoutTest : public testing::Test {
protected:
    // A category folder with `icons` shortcut files, listed in config.txt in that order.
    void makeCategory(const std::string& name, int icons) {
        std::vector<std::string> links;
        for (int i = 0; i < icons; ++i)
            links.push_back("A program with a long title " + std::to_string(i));
        testing_support::writeCategory(folder, name, links);
        names.push_back(name);
    }
    std::unique_ptr<BarManager> load(const std::string& appearance = "") {
        folder.write("config.txt", testing_support::categoryList(names));
        folder.write("settings.txt", "[Appearance]\r\n" + appearance);
        return std::make_unique<BarManager>(folder.path() + "\\");
    }
    // From the corner (1, 2), as the category window lays its rows out.
    static layout::Rows layOut(const BarManager& manager,
                               int maxWidth = std::numeric_limits<int>::max()) {
        return layout::layOut(manager.bars, manager.appearance(), measured, {1, 2}, maxWidth);
    }
    TempFolder folder;
    std::vector<std::string> names; // the categories made, in order
};

// Every rectangle of the layout, row by row.
std::vector<platform::Rect> rectangles(const layout::Rows& rows) {
    std::vector<platform::Rect> all{rows.area()};
    for (const layout::Row& row : rows.rows()) {
        for (const platform::Rect& box : {row.rect, row.nameBox, row.iconBox})
            all.push_back(box);
        for (const layout::Cell& cell : row.cells)
            all.push_back(cell.rect);
    }
    return all;
}

TEST_F(LayoutTest, AnEmptyManagerTakesNoRoom) {
    const layout::Rows rows = layOut(*load());
    EXPECT_EQ(rows.area(), (platform::Rect{1, 2, 0, 0}));
}

TEST_F(LayoutTest, SmallIconsWithoutTitlesFollowTheBoxes) {
    makeCategory("Games", 3);
    makeCategory("Tools", 1);
    const auto manager = load();
    const layout::Rows rows = layOut(*manager);
    const layout::Row& games = rows.rows()[0];
    const layout::Row& tools = rows.rows()[1];
    const auto gamesName = measured(manager->barNameFont, "Games");
    const auto toolsName = measured(manager->barNameFont, "Tools");
    const int leftWidth = std::max(gamesName.width, toolsName.width) + 20;
    const int rowHeight = std::max({45, gamesName.height + 10, toolsName.height + 10});

    EXPECT_EQ(games.iconBox.height, 45);
    EXPECT_EQ(games.iconBox.width, 160);
    EXPECT_EQ(games.nameBox.width, leftWidth);
    EXPECT_EQ(rows.area().width, leftWidth + 160);
    EXPECT_EQ(games.rect.top, 2);
    EXPECT_EQ(tools.rect.top, 2 + rowHeight);
    EXPECT_EQ(rows.area().bottom(), 2 + 2 * rowHeight);
    EXPECT_EQ(games.nameBox.left, 1);
    EXPECT_EQ(games.iconBox.left, leftWidth) << "the boxes overlap by one pixel";
    for (int i = 0; i < 3; ++i) {
        const layout::Cell& cell = games.cells[i];
        EXPECT_EQ(cell.entry, manager->barAt(0)->GetLink(i));
        EXPECT_EQ(cell.rect, (platform::Rect{leftWidth + 10 + 45 * i, 0, 45, 45}));
        EXPECT_EQ(cell.icon, (platform::Rect{14, 14, 16, 16}));
    }
    EXPECT_EQ(tools.cells[0].rect.left, leftWidth + 10);
    EXPECT_EQ(tools.nameAlignment, 1);
}

TEST_F(LayoutTest, LargeIconsWithTitlesGrowEveryCell) {
    makeCategory("Games", 2);
    const auto manager = load("IconSizeType=32\r\nShowIconTitle=1\r\n");
    const layout::Rows rows = layOut(*manager);
    const layout::Cell& cell = rows.rows()[0].cells[0];
    const auto title = measured(manager->iconTitleFont, cell.entry->GetTitle());
    EXPECT_EQ(cell.rect.width, 90);
    EXPECT_EQ(cell.rect.height, 60 + title.height);
    EXPECT_EQ(cell.icon, (platform::Rect{29, 9, 32, 32}));
    EXPECT_EQ(cell.title.top, 51);
    EXPECT_EQ(cell.title.height, title.height);
    // The title is wider than 82 pixels in any sensible title font.
    ASSERT_GT(title.width, 82);
    EXPECT_EQ(cell.title.left, 4);
    EXPECT_EQ(rows.rows()[0].iconBox.height, 60 + title.height);
}

TEST_F(LayoutTest, ShortTitlesAreCentred) {
    testing_support::writeCategory(folder, "Tools", {"a"});
    names = {"Tools"};
    const auto manager = load("ShowIconTitle=1\r\n");
    const layout::Cell cell = layOut(*manager).rows()[0].cells[0];
    const auto title = measured(manager->iconTitleFont, "a");
    EXPECT_EQ(cell.rect.width, 65);
    EXPECT_EQ(cell.title.left, (65 - title.width) / 2);
    EXPECT_EQ(cell.icon.left, 24);
    EXPECT_EQ(cell.icon.top, 9);
    EXPECT_EQ(cell.title.top, 35);
}

TEST_F(LayoutTest, ATallNameFontMakesEveryRowTallButNotTheCells) {
    makeCategory("Games", 1);
    makeCategory("Tools", 1);
    folder.write("Games\\settings.txt", "[BarNameFont]\r\nFontName=Verdana\r\nFontSize=40\r\n"
                                        "FontColor=0\r\nFontStyle=10000\r\n");
    auto manager = load();
    Bar* games = manager->barAt(0);
    games->UseOwnNameFont = true;
    const layout::Rows rows = layOut(*manager);
    const int tall = measured(games->NameFont, "Games").height + 10;
    ASSERT_GT(tall, 45);
    EXPECT_EQ(rows.rows()[0].rect.height, tall);
    EXPECT_EQ(rows.rows()[1].rect.height, tall);
    EXPECT_EQ(rows.rows()[1].rect.top, 2 + tall);
    EXPECT_EQ(rows.rows()[0].cells[0].rect.height, 45);
    EXPECT_EQ(rows.rows()[0].cells[0].rect.top, 0);
}

TEST_F(LayoutTest, IconsLeftSwapsTheColumns) {
    makeCategory("Games", 3);
    makeCategory("Tools", 0);
    const layout::Rows rows = layOut(*load("BarLayout=0\r\n"));
    const layout::Row& games = rows.rows()[0];
    EXPECT_EQ(games.iconBox.left, 1);
    EXPECT_EQ(rows.rows()[1].iconBox.width, 160) << "every row's boxes are as wide as the widest";
    EXPECT_EQ(games.nameBox.left, 160);
    EXPECT_EQ(games.cells[0].rect.left, 11);
}

TEST_F(LayoutTest, AnEmptyCategoryIsAsTallAsItsName) {
    makeCategory("Empty", 0);
    const auto manager = load();
    const layout::Rows rows = layOut(*manager);
    const auto name = measured(manager->barNameFont, "Empty");
    EXPECT_EQ(rows.rows()[0].iconBox.width, 25);
    EXPECT_EQ(rows.area().bottom(), 2 + name.height + 10);
}

// "Tools" is the wider name in any font; 500 pixels leave room for some icons a line.
TEST_F(LayoutTest, IconsWrapInOrderInsideTheirRowOnlyWhereTheRowsWouldBeTooWide) {
    makeCategory("Tools", 40);
    makeCategory("A", 3);
    const auto manager = load();
    const layout::Rows unlimited = layOut(*manager);
    EXPECT_EQ(rectangles(layOut(*manager, unlimited.area().width)), rectangles(unlimited))
        << "everything fits";

    const int nameWidth = unlimited.rows()[0].nameBox.width;
    const layout::Rows wrapped = layOut(*manager, 500);
    const layout::Row& tools = wrapped.rows()[0];
    const int perLine = (500 - nameWidth - 25) / 45;
    const platform::Rect last = tools.cells[39].rect;
    EXPECT_EQ(wrapped.area().width, nameWidth + 25 + perLine * 45);
    EXPECT_EQ(last.left, nameWidth + 10 + 45 * (39 % perLine));
    EXPECT_EQ(last.top, 45 * (39 / perLine));
    EXPECT_EQ(tools.rect.height, last.top + 45);
    EXPECT_EQ(wrapped.rows()[1].rect.top, 2 + tools.rect.height);
    EXPECT_EQ(wrapped.rows()[1].rect.height, 45) << "a row that fits keeps one line";

    EXPECT_EQ(layOut(*manager, nameWidth + 70).rows()[0].cells[39].rect.top, 45 * 39)
        << "one icon a line where two have no room";

    makeCategory(std::string(120, 'W'), 2);
    const layout::Rows longName = layOut(*load(), 500);
    EXPECT_EQ(longName.area().width, 500) << "a name wider than the screen leaves one icon a line";
    EXPECT_EQ(longName.rows()[2].cells[1].rect.left, 500 - 15 - 45);
}

// A point on the edge of a row or of a cell belongs to neither; the value finds each entry's
// cell and each category's row, and nothing for what it did not lay out.
TEST_F(LayoutTest, HitTestsFindRowsAndCellsStrictlyInside) {
    makeCategory("X", 2);
    makeCategory("Y", 0);
    const auto manager = load();
    const layout::Rows rows = layOut(*manager);
    const platform::Rect x = rows.rows()[0].rect;
    const platform::Rect y = rows.rows()[1].rect;
    EXPECT_EQ(rows.rowAt({x.left + 1, x.top + 1})->category, manager->barAt(0));
    EXPECT_EQ(rows.rowAt({x.left, x.top + 1}), nullptr) << "left edge";
    EXPECT_EQ(rows.rowAt({x.left + 1, x.top}), nullptr) << "top edge";
    EXPECT_EQ(rows.rowAt({x.left + 1, y.top}), nullptr) << "edge between rows";
    EXPECT_EQ(rows.rowAt({x.left + 1, y.top + 1})->category, manager->barAt(1));
    EXPECT_EQ(rows.rowAt({x.right(), x.top + 1}), nullptr) << "right edge";

    const platform::Rect first = rows.cellOnWindow(manager->barAt(0)->GetLink(0));
    const platform::Rect second = rows.cellOnWindow(manager->barAt(0)->GetLink(1));
    EXPECT_EQ(first.right(), second.left);
    EXPECT_EQ(rows.cellAt({first.left + 1, first.top + 1})->entry, manager->barAt(0)->GetLink(0));
    EXPECT_EQ(rows.cellAt({second.left, second.top + 1}), nullptr) << "between cells";
    EXPECT_EQ(rows.cellAt({second.right() - 1, second.bottom() - 1})->entry,
              manager->barAt(0)->GetLink(1));
    EXPECT_EQ(rows.cellAt({second.right(), second.top + 1}), nullptr) << "after the last";
    EXPECT_EQ(rows.cellOf(nullptr), nullptr);
    EXPECT_EQ(rows.rowOf(nullptr), nullptr);
}

} // namespace
