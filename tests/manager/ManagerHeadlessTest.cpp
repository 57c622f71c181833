// What only the headless backend lets a test see or set: text metrics of known size and idle time
// run slice by slice.
#include "manager/Barmanager.h"
#include "manager/Layout.h"
#include "platform/Canvas.h"
#include "platform/Files.h"
#include "platform/headless/Headless.h"
#include "platform/headless/Headlessshell.h"
#include "platform/headless/Raster.h"
#include "store/Bar.h"
#include "store/Iconarea.h"
#include "store/Wintools.h"
#include "tests/Datafolder.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using testing_support::TempFolder;
using State = IconArea::ShellState;

namespace {

// Categories A (a: a program, b: a folder, c: a missing file, d: not a shortcut), B (e, f),
// C (g) and D (h), all programs unless said otherwise, listed in this order.
class IconLoaderTest : public ::testing::Test {
protected:
    IconLoaderTest() {
        platform::headless::resetWorld();
        program = folder.write("program.exe", "");
        documents = folder.file("Documents");
        platform::createFolder(documents);
        const std::pair<const char*, std::string> links[] = {
            {"A\\a.lnk", program}, {"A\\b.lnk", documents}, {"A\\c.lnk", folder.file("gone.exe")},
            {"B\\e.lnk", program}, {"B\\f.lnk", program},   {"C\\g.lnk", program},
            {"D\\h.lnk", program}};
        for (const char* name : {"A", "B", "C", "D"})
            platform::createFolder(folder.file(name));
        for (const auto& [link, target] : links)
            CreateShortcut(target, folder.file(link), "");
        folder.write("A\\d.lnk", "not a shortcut");
        folder.write("A\\config.txt",
                     testing_support::indexedList("Link", {"a.lnk", "b.lnk", "c.lnk", "d.lnk"}));
        folder.write("config.txt", testing_support::categoryList({"A", "B", "C", "D"}));
    }

    std::unique_ptr<BarManager> makeManager() {
        auto manager = std::make_unique<BarManager>(folder.path() + "\\");
        manager->iconLoader().sliceBudget = {}; // one step a slice
        manager->iconLoader().onIconsLoaded = [this](IconArea& entry) {
            loaded.push_back(entry.LinkFileName);
        };
        return manager;
    }
    std::vector<std::string> takeLoaded() { return std::exchange(loaded, {}); }

    TempFolder folder;
    std::string program;
    std::string documents;
    std::vector<std::string> loaded; // what onIconsLoaded was called for, in order
};

// A slice gives one answer here, and the headless reader answers as soon as it is asked.
TEST_F(IconLoaderTest, LoadsInIdleTimeWhileEntriesAndCategoriesGo) {
    auto manager = makeManager();
    Bar* a = manager->barAt(0);
    Bar* b = manager->barAt(1);
    ASSERT_EQ(a->GetLinkCount(), 4);
    for (int i = 0; i < manager->barCount(); ++i)
        for (const auto& entry : manager->barAt(i)->Links)
            EXPECT_FALSE(entry->GetShellState() != State::Unread || entry->GetIcon())
                << entry->LinkFileName << ": nothing read while constructing";
    EXPECT_EQ(platform::headless::runIdleWork(), 0) << "not before start";

    manager->iconLoader().start();
    EXPECT_EQ(platform::headless::runIdleWork(1), 1);
    EXPECT_EQ(takeLoaded(), (std::vector<std::string>{"a.lnk"}));
    EXPECT_TRUE(a->GetLink(0)->GetIcon());
    EXPECT_EQ(a->GetLink(1)->GetShellState(), State::Reading);
    EXPECT_EQ(a->GetLink(1)->GetHint(), "b") << "unchanged until its answer is given";

    // c goes before a, and b, asked, is destroyed: A is c, a, d. f, asked, moves into C (read
    // there at once); then B goes with e, and D with h.
    ASSERT_TRUE(MoveLink(a, a->GetLink(2), a, a->GetLink(0)));
    a->RemoveLink(a->GetLink(2));
    ASSERT_TRUE(MoveLink(b, b->GetLink(1), manager->barAt(2), nullptr));
    EXPECT_EQ(manager->barAt(2)->GetLink(1)->GetShellState(), State::Loaded);
    ASSERT_TRUE(manager->deleteBar(b));
    ASSERT_TRUE(manager->deleteBar(manager->barAt(2)));
    EXPECT_EQ(platform::headless::runIdleWork(), 4) << "c, d, g, then h's answer finds nothing";
    EXPECT_EQ(takeLoaded(), (std::vector<std::string>{"c.lnk", "d.lnk", "g.lnk"}));
    std::vector<std::string> withIcons;
    for (int i = 0; i < manager->barCount(); ++i)
        for (const auto& entry : manager->barAt(i)->Links) {
            EXPECT_EQ(entry->GetShellState(), State::Loaded) << entry->LinkFileName;
            if (entry->GetIcon()) withIcons.push_back(entry->LinkFileName);
        }
    EXPECT_EQ(withIcons, (std::vector<std::string>{"a.lnk", "g.lnk", "f.lnk"}));
    EXPECT_EQ(a->GetLink(0)->Target, folder.file("gone.exe"));

    // A loader gone with work left: its idle work ends at the next slice, touching nothing.
    manager = makeManager();
    manager->iconLoader().start();
    manager.reset();
    EXPECT_EQ(platform::headless::runIdleWork(), 1);
}

TEST_F(IconLoaderTest, RequestMissingRetriesEachIconlessEntryOncePerCall) {
    auto manager = makeManager();
    IconLoader& loader = manager->iconLoader();
    loader.requestMissing();
    EXPECT_EQ(platform::headless::runIdleWork(), 0) << "nothing before start";
    loader.start();
    platform::headless::runIdleWork();
    takeLoaded();
    EXPECT_EQ(platform::headless::runIdleWork(), 0) << "no retry unasked";

    folder.write("gone.exe", "");
    loader.requestMissing();
    loader.requestMissing();
    EXPECT_EQ(platform::headless::runIdleWork(), 2) << "each read once more";
    EXPECT_EQ(takeLoaded(), (std::vector<std::string>{"c.lnk", "d.lnk"}));
    EXPECT_TRUE(manager->barAt(0)->GetLink(2)->GetIcon());
    EXPECT_EQ(platform::headless::runIdleWork(), 0);

    loader.requestMissing();
    EXPECT_EQ(platform::headless::runIdleWork(), 1);
    EXPECT_EQ(takeLoaded(), (std::vector<std::string>{"d.lnk"}));
}

// a, e, f, g and h show the program's picture, b the folder's; c and d have none.
TEST_F(IconLoaderTest, EntriesShowingOnePictureShareItAndTheLastOfThemFreesIt) {
    namespace headless = platform::headless;
    const std::size_t before = headless::livingShellPictures();
    auto manager = makeManager();
    manager->iconLoader().start();
    headless::runIdleWork();
    EXPECT_EQ(headless::livingShellPictures(), before + 2);
    Bar* a = manager->barAt(0);
    std::optional<platform::ShellIcon> shared = a->GetLink(0)->GetIcon();
    EXPECT_EQ(manager->barAt(3)->GetLink(0)->GetIcon(), *shared);
    EXPECT_NE(a->GetLink(1)->GetIcon(), *shared);
    EXPECT_EQ(headless::shellIconSizesMade(*shared), std::vector<int>{16}) << "the cell's only";
    const std::string source = headless::shellIconSource(*shared);

    a->RemoveLink(a->GetLink(0));
    ASSERT_TRUE(manager->deleteBar(manager->barAt(1))); // B: e and f
    ASSERT_TRUE(manager->deleteBar(manager->barAt(1))); // C: g
    shared.reset();
    EXPECT_EQ(headless::livingShellPictures(), before + 2) << "h still shows it";
    ASSERT_TRUE(manager->deleteBar(manager->barAt(1))); // D: h, the last
    EXPECT_EQ(headless::livingShellPictures(), before + 1) << "the folder's is left";
    EXPECT_TRUE(headless::shellIconSizesMade(headless::shellIconFor(source)).empty())
        << "the program's is made anew";
}

TEST(LayoutHeadless, ReproducesTheTwoCategoryExample) {
    platform::headless::setTextMetrics([](const platform::Font&, std::string_view text) {
        return platform::Size{text == "Games" ? 40 : 32, 13};
    });
    TempFolder folder;
    testing_support::writeDataFolder(folder, {{"Games", {"a", "b", "c"}}, {"Tools", {"d"}}});
    BarManager manager(folder.path() + "\\");
    platform::Bitmap measuring(1, 1);
    const layout::Rows rows = layout::layOut(manager.bars, manager.appearance(),
                                             layout::measuringOn(measuring.canvas()), {1, 2});
    platform::headless::setTextMetrics(nullptr);

    const layout::Row& games = rows.rows()[0];
    const layout::Row& tools = rows.rows()[1];
    EXPECT_EQ(games.iconBox.width, 160);
    EXPECT_EQ(tools.iconBox.width, 160) << "widened to the widest icon area";
    EXPECT_EQ(games.nameBox.width, 60);
    EXPECT_EQ(games.nameBox.height, 23);
    EXPECT_EQ(tools.nameBox.height, 23);
    EXPECT_EQ(rows.area().width, 220);
    EXPECT_EQ(games.rect.top, 2);
    EXPECT_EQ(tools.rect.top, 47);
    EXPECT_EQ(rows.area().bottom(), 92);
    EXPECT_EQ(games.nameBox.left, 1);
    EXPECT_EQ(games.iconBox.left, 60);
    std::vector<int> lefts;
    for (const layout::Cell& cell : games.cells)
        lefts.push_back(cell.rect.left);
    EXPECT_EQ(lefts, (std::vector<int>{70, 115, 160}));
    EXPECT_EQ(tools.cells[0].rect.left, 70);
    EXPECT_EQ(rows.area().width + 1, 221) << "window width";
    EXPECT_EQ(rows.area().bottom() + 2, 94) << "window client height";
}

} // namespace
