// What only the headless backend lets a test see or set: text metrics of known size, and the
// number of icons alive.
#include "manager/Barmanager.h"
#include "platform/Files.h"
#include "platform/headless/Headlessicon.h"
#include "platform/headless/Raster.h"
#include "store/Bar.h"
#include "store/Iconarea.h"
#include "store/Wintools.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

using testing_support::TempFolder;

namespace {

TEST(LayoutHeadless, ReproducesTheTwoCategoryExample) {
    platform::headless::setTextMetrics([](const platform::Font&, std::string_view text) {
        return platform::Size{text == "Games" ? 40 : 32, 13};
    });
    TempFolder folder;
    for (const char* name : {"Games", "Tools"})
        ASSERT_TRUE(platform::createFolder(folder.file(name)));
    for (const char* link : {"Games\\a.lnk", "Games\\b.lnk", "Games\\c.lnk", "Tools\\d.lnk"})
        folder.write(link, "");
    folder.write("config.txt", "[Bar]\r\nCount=2\r\n0=Games\r\n1=Tools\r\n");
    BarManager manager(folder.path() + "\\");
    manager.SetTop(2);
    manager.SetLeft(1);
    manager.layout();
    platform::headless::setTextMetrics(nullptr);

    Bar* games = manager.barAt(0);
    Bar* tools = manager.barAt(1);
    EXPECT_EQ(games->IconBox->Width, 160);
    EXPECT_EQ(tools->IconBox->Width, 160) << "widened to the widest icon area";
    EXPECT_EQ(games->NameBox->Width, 60);
    EXPECT_EQ(games->NameBox->Height, 23);
    EXPECT_EQ(tools->NameBox->Height, 23);
    EXPECT_EQ(manager.Width, 220);
    EXPECT_EQ(games->Top, 2);
    EXPECT_EQ(tools->Top, 47);
    EXPECT_EQ(manager.Height, 92);
    EXPECT_EQ(games->NameBox->Left, 1);
    EXPECT_EQ(games->IconBox->Left, 60);
    std::vector<int> lefts;
    for (int i = 0; i < games->GetLinkCount(); ++i)
        lefts.push_back(games->GetLink(i)->Left);
    EXPECT_EQ(lefts, (std::vector<int>{70, 115, 160}));
    EXPECT_EQ(tools->GetLink(0)->Left, 70);
    EXPECT_EQ(manager.Width + 1, 221) << "window width";
    EXPECT_EQ(manager.Height + 2, 94) << "window client height";
}

TEST(ManagerHeadless, ReleasesDeletedCategoriesAndEverythingItOwns) {
    TempFolder folder;
    const std::string target = folder.write("program.exe", "");
    for (const char* name : {"Games", "Tools"}) {
        ASSERT_TRUE(platform::createFolder(folder.file(name)));
        for (const char* link : {"\\a.lnk", "\\b.lnk"})
            ASSERT_GE(CreateShortcut(target, folder.file(name) + link, ""), 0);
    }
    const int before = platform::headless::liveIconCount();
    {
        BarManager manager(folder.path() + "\\");
        ASSERT_EQ(manager.barCount(), 2);
        ASSERT_EQ(platform::headless::liveIconCount(), before + 8) << "two icons per entry";
        ASSERT_TRUE(manager.deleteBar(manager.barAt(0)));
        ASSERT_TRUE(manager.deleteBar(manager.barAt(0)));
        EXPECT_EQ(platform::headless::liveIconCount(), before + 4)
            << "the first deleted category is released by the next delete";
    }
    EXPECT_EQ(platform::headless::liveIconCount(), before) << "the manager leaked icons";
}

} // namespace
