// Layout of every row, checked against text sizes measured the way the manager measures them,
// so that the same tests hold for the headless metrics and for real fonts under Wine.
#include "manager/Barmanager.h"
#include "store/Bar.h"
#include "store/Iconarea.h"
#include "store/Vcltools.h"
#include "tests/Datafolder.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

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
        auto manager = std::make_unique<BarManager>(folder.path() + "\\");
        manager->SetTop(2);
        manager->SetLeft(1);
        manager->layout();
        return manager;
    }
    TempFolder folder;
    std::vector<std::string> names; // the categories made, in order
};

// Every rectangle the layout sets, row by row.
std::vector<platform::Rect> rectangles(const BarManager& manager) {
    std::vector<platform::Rect> all{manager.rect()};
    for (const auto& bar : manager.bars) {
        for (const Square* box : {static_cast<Square*>(bar.get()), bar->LeftBox, bar->RightBox})
            all.push_back(box->rect());
        for (const auto& entry : bar->Links)
            all.push_back(entry->rect());
    }
    return all;
}

TEST_F(LayoutTest, AnEmptyManagerTakesNoRoom) {
    const auto manager = load();
    EXPECT_EQ(manager->Width, 0);
    EXPECT_EQ(manager->Height, 2);
}

TEST_F(LayoutTest, SmallIconsWithoutTitlesFollowTheBoxes) {
    makeCategory("Games", 3);
    makeCategory("Tools", 1);
    const auto manager = load();
    Bar* games = manager->barAt(0);
    Bar* tools = manager->barAt(1);
    const auto gamesName = measured(manager->barNameFont, "Games");
    const auto toolsName = measured(manager->barNameFont, "Tools");
    const int leftWidth = std::max(gamesName.width, toolsName.width) + 20;
    const int rowHeight = std::max({45, gamesName.height + 10, toolsName.height + 10});

    EXPECT_EQ(manager->maxIconHeight, 45);
    EXPECT_EQ(games->IconBox->Width, 160);
    EXPECT_EQ(games->NameBox->Width, leftWidth);
    EXPECT_EQ(manager->Width, leftWidth + 160);
    EXPECT_EQ(games->Top, 2);
    EXPECT_EQ(tools->Top, 2 + rowHeight);
    EXPECT_EQ(manager->Height, 2 + 2 * rowHeight);
    EXPECT_EQ(games->NameBox->Left, 1);
    EXPECT_EQ(games->IconBox->Left, leftWidth) << "the boxes overlap by one pixel";
    for (int i = 0; i < 3; ++i) {
        IconArea* entry = games->GetLink(i);
        EXPECT_EQ(entry->Left, leftWidth + 10 + 45 * i);
        EXPECT_EQ(entry->Top, 0);
        EXPECT_EQ(entry->Width, 45);
        EXPECT_EQ(entry->Height, 45);
        EXPECT_EQ(entry->IconRect.Left, 14);
        EXPECT_EQ(entry->IconRect.Top, 14);
        EXPECT_EQ(entry->IconRect.Width, 16);
    }
    EXPECT_EQ(tools->GetLink(0)->Left, leftWidth + 10);
    EXPECT_EQ(tools->NameBox->Alignment, 1);
}

TEST_F(LayoutTest, LargeIconsWithTitlesGrowEveryCell) {
    makeCategory("Games", 2);
    const auto manager = load("IconSizeType=32\r\nShowIconTitle=1\r\n");
    IconArea* entry = manager->barAt(0)->GetLink(0);
    const auto title = measured(manager->iconTitleFont, entry->GetTitle());
    EXPECT_EQ(entry->Width, 90);
    EXPECT_EQ(entry->Height, 60 + title.height);
    EXPECT_EQ(entry->IconRect.Left, 29);
    EXPECT_EQ(entry->IconRect.Top, 9);
    EXPECT_EQ(entry->IconRect.Width, 32);
    EXPECT_EQ(entry->TitleRect.Top, 51);
    EXPECT_EQ(entry->TitleRect.Height, title.height);
    // The title is wider than 82 pixels in any sensible title font.
    ASSERT_GT(title.width, 82);
    EXPECT_EQ(entry->TitleRect.Left, 4);
    EXPECT_EQ(manager->maxIconHeight, 60 + title.height);
}

TEST_F(LayoutTest, ShortTitlesAreCentred) {
    testing_support::writeCategory(folder, "Tools", {"a"});
    names = {"Tools"};
    const auto manager = load("ShowIconTitle=1\r\n");
    IconArea* entry = manager->barAt(0)->GetLink(0);
    const auto title = measured(manager->iconTitleFont, "a");
    EXPECT_EQ(entry->Width, 65);
    EXPECT_EQ(entry->TitleRect.Left, (65 - title.width) / 2);
    EXPECT_EQ(entry->IconRect.Left, 24);
    EXPECT_EQ(entry->IconRect.Top, 9);
    EXPECT_EQ(entry->TitleRect.Top, 35);
}

TEST_F(LayoutTest, ATallNameFontMakesEveryRowTallButNotTheCells) {
    makeCategory("Games", 1);
    makeCategory("Tools", 1);
    folder.write("Games\\settings.txt", "[BarNameFont]\r\nFontName=Verdana\r\nFontSize=40\r\n"
                                        "FontColor=0\r\nFontStyle=10000\r\n");
    auto manager = load();
    Bar* games = manager->barAt(0);
    games->UseOwnNameFont = true;
    manager->layout();
    const int tall = measured(games->NameFont, "Games").height + 10;
    ASSERT_GT(tall, 45);
    EXPECT_EQ(games->Height, tall);
    EXPECT_EQ(manager->barAt(1)->Height, tall);
    EXPECT_EQ(manager->barAt(1)->Top, 2 + tall);
    EXPECT_EQ(games->GetLink(0)->Height, 45);
    EXPECT_EQ(games->GetLink(0)->Top, 0);
}

TEST_F(LayoutTest, IconsLeftSwapsTheColumns) {
    makeCategory("Games", 3);
    makeCategory("Tools", 0);
    const auto manager = load("BarLayout=0\r\n");
    Bar* games = manager->barAt(0);
    Bar* tools = manager->barAt(1);
    EXPECT_EQ(games->IconBox->Left, 1);
    EXPECT_EQ(tools->IconBox->Width, 160) << "every row's boxes are as wide as the widest";
    EXPECT_EQ(games->NameBox->Left, 160);
    EXPECT_EQ(games->GetLink(0)->Left, 11);
}

TEST_F(LayoutTest, AnEmptyCategoryIsAsTallAsItsName) {
    makeCategory("Empty", 0);
    const auto manager = load();
    const auto name = measured(manager->barNameFont, "Empty");
    EXPECT_EQ(manager->barAt(0)->IconBox->Width, 25);
    EXPECT_EQ(manager->Height, 2 + name.height + 10);
}

// "Tools" is the wider name in any font; 500 pixels leave room for some icons a line.
TEST_F(LayoutTest, IconsWrapInOrderInsideTheirRowOnlyWhereTheRowsWouldBeTooWide) {
    makeCategory("Tools", 40);
    makeCategory("A", 3);
    const auto manager = load();
    const std::vector<platform::Rect> unlimited = rectangles(*manager);
    manager->layout(manager->Width);
    EXPECT_EQ(rectangles(*manager), unlimited) << "everything fits";

    Bar* tools = manager->barAt(0);
    const int nameWidth = tools->NameBox->Width;
    manager->layout(500);
    const int perLine = (500 - nameWidth - 25) / 45;
    IconArea* last = tools->GetLink(39);
    EXPECT_EQ(manager->Width, nameWidth + 25 + perLine * 45);
    EXPECT_EQ(last->Left, nameWidth + 10 + 45 * (39 % perLine));
    EXPECT_EQ(last->Top, 45 * (39 / perLine));
    EXPECT_EQ(tools->Height, last->Top + 45);
    EXPECT_EQ(manager->barAt(1)->Top, 2 + tools->Height);
    EXPECT_EQ(manager->barAt(1)->Height, 45) << "a row that fits keeps one line";

    manager->layout(nameWidth + 30);
    EXPECT_EQ(tools->GetLink(39)->Top, 45 * 39) << "one icon a line where none has room";
}

} // namespace
