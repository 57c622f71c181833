#include "manager/Barmanager.h"
#include "platform/Files.h"
#include "platform/Inifile.h"
#include "store/Bar.h"
#include "store/Iconarea.h"
#include "tests/Datafolder.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

namespace FileAttribute = platform::FileAttribute;
using testing_support::TempFolder;

namespace {

class BarManagerTest : public testing::Test {
protected:
    std::string data() const { return folder.path() + "\\"; }
    void makeCategory(const std::string& name) {
        ASSERT_TRUE(platform::createFolder(folder.file(name)));
    }
    void writeConfig(const std::string& content) { folder.write("config.txt", content); }
    static std::vector<std::string> namesOf(const BarManager& manager) {
        std::vector<std::string> names;
        for (int i = 0; i < manager.barCount(); ++i)
            names.push_back(manager.barAt(i)->GetName());
        return names;
    }
    // The list config.txt holds, which must always match the manager after a change.
    std::vector<std::string> storedNames() const {
        const platform::IniFile config(folder.file("config.txt"));
        std::vector<std::string> names;
        const int count = config.readInteger("Bar", "Count", -1);
        for (int i = 0; i < count; ++i)
            names.push_back(config.readString("Bar", std::to_string(i), "?"));
        EXPECT_EQ(config.readKeyNames("Bar").size(), std::size_t(count) + 1) << "stale keys left";
        return names;
    }
    TempFolder folder;
};

TEST_F(BarManagerTest, WithoutAListPlainSubfoldersBecomeCategories) {
    makeCategory("Games");
    makeCategory("Tools");
    makeCategory(".hidden");
    platform::setFileAttributes(folder.file(".hidden"),
                                FileAttribute::Directory | FileAttribute::Hidden);
    makeCategory("Locked");
    platform::setFileAttributes(folder.file("Locked"),
                                FileAttribute::Directory | FileAttribute::ReadOnly);
    folder.write("notes.txt", "");
    // Wine keeps no read-only flag on folders; where the flag holds, the folder is passed over.
    const bool lockedIsReadOnly =
        *platform::fileAttributes(folder.file("Locked")) & FileAttribute::ReadOnly;
    const BarManager manager(data());
    auto names = namesOf(manager);
    std::sort(names.begin(), names.end());
    const std::vector<std::string> expected =
        lockedIsReadOnly ? std::vector<std::string>{"Games", "Tools"}
                         : std::vector<std::string>{"Games", "Locked", "Tools"};
    EXPECT_EQ(names, expected);
    EXPECT_FALSE(platform::fileExists(folder.file("config.txt"))) << "loading wrote the list";
    platform::setFileAttributes(folder.file("Locked"), FileAttribute::Directory);
}

struct ListCase {
    const char* what;
    const char* config;
    std::vector<std::string> expected;
};

class StoredList : public BarManagerTest, public testing::WithParamInterface<ListCase> {};

TEST_P(StoredList, DecidesTheCategoriesAndTheirOrder) {
    for (const char* name : {"X", "Y", "Z"})
        makeCategory(name);
    writeConfig(GetParam().config);
    EXPECT_EQ(namesOf(BarManager(data())), GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredList,
    testing::Values(
        ListCase{"stored order", "[Bar]\r\nCount=3\r\n0=Z\r\n1=X\r\n2=Y\r\n", {"Z", "X", "Y"}},
        ListCase{"count zero hides every folder", "[Bar]\r\nCount=0\r\n", {}},
        ListCase{"count not a number", "[Bar]\r\nCount=many\r\n0=X\r\n", {}},
        ListCase{"negative count", "[Bar]\r\nCount=-2\r\n0=X\r\n", {}},
        ListCase{"empty and missing entries skipped",
                 "[Bar]\r\nCount=3\r\n0=Y\r\n1=\r\n2=X\r\n",
                 {"Y", "X"}},
        ListCase{
            "a folder that is gone", "[Bar]\r\nCount=3\r\n0=Y\r\n1=Gone\r\n2=Z\r\n", {"Y", "Z"}},
        ListCase{"names reaching outside the data folder",
                 "[Bar]\r\nCount=6\r\n0=..\r\n1=.\r\n2=X\\..\\..\r\n3=Y/../Z\r\n4=C:\r\n5=Z\r\n",
                 {"Z"}},
        ListCase{"count present but empty", "[Bar]\r\nCount=\r\n", {}},
        ListCase{"a folder listed twice is one category",
                 "[Bar]\r\nCount=4\r\n0=X\r\n1=Y\r\n2=X\r\n3=x\r\n",
                 {"X", "Y"}},
        ListCase{"a huge count loads what is listed",
                 "[Bar]\r\nCount=2147483647\r\n7=Y\r\n0=X\r\n",
                 {"X", "Y"}}));

TEST_F(BarManagerTest, CreatesCategoriesAndSavesTheListAtOnce) {
    writeConfig("[Other]\r\nkept=1\r\n");
    BarManager manager(data());
    Bar* games = manager.createBar("Games");
    ASSERT_NE(games, nullptr);
    ASSERT_NE(manager.createBar("Tools"), nullptr);
    EXPECT_EQ(storedNames(), (std::vector<std::string>{"Games", "Tools"}));
    EXPECT_EQ(platform::IniFile(folder.file("config.txt")).readString("Other", "kept", ""), "1");
    EXPECT_EQ(platform::IniFile(folder.file("Games\\config.txt")).readInteger("Link", "Count", -1),
              0);
}

TEST_F(BarManagerTest, NamesReadBackAsTheyWereSaved) {
    const std::vector<std::string> names{" Games", "'Tools'"};
    {
        BarManager manager(data());
        for (const auto& name : names)
            ASSERT_NE(manager.createBar(name), nullptr) << '"' << name << '"';
    }
    EXPECT_EQ(namesOf(BarManager(data())), names);
}

TEST_F(BarManagerTest, RefusesNamesThatAreTakenOrNotOneFolderName) {
    makeCategory("Games");
    BarManager manager(data());
    const std::string before = folder.read("config.txt");
    for (const char* name : {"Games", "", ".", "..", "..\\Escaped", "a/b", "C:", "x:y"})
        EXPECT_EQ(manager.createBar(name), nullptr) << '"' << name << '"';
    EXPECT_EQ(folder.read("config.txt"), before);
    EXPECT_EQ(manager.barCount(), 1);
    EXPECT_FALSE(platform::folderExists(folder.path() + "\\..\\Escaped"));
}

TEST_F(BarManagerTest, RenamesOnlyToAFreeSingleFolderName) {
    makeCategory("Games");
    makeCategory("Tools");
    writeConfig(testing_support::categoryList({"Games", "Tools"}));
    BarManager manager(data());
    Bar* games = manager.barAt(0);
    EXPECT_FALSE(manager.renameBar(games, "Tools"));
    EXPECT_FALSE(manager.renameBar(games, "..\\Games"));
    EXPECT_FALSE(manager.renameBar(nullptr, "Play"));
    EXPECT_EQ(games->GetName(), "Games");
    ASSERT_TRUE(manager.renameBar(games, "Play"));
    EXPECT_TRUE(platform::folderExists(folder.file("Play")));
    EXPECT_FALSE(platform::folderExists(folder.file("Games")));
    EXPECT_EQ(storedNames(), (std::vector<std::string>{"Play", "Tools"}));
}

TEST_F(BarManagerTest, DeletesTheFolderTreeAndTheListEntry) {
    makeCategory("Games");
    makeCategory("Tools");
    folder.write("Games\\a.lnk", "not a shortcut");
    writeConfig(testing_support::categoryList({"Games", "Tools"}));
    BarManager manager(data());
    ASSERT_TRUE(manager.deleteBar(manager.barAt(0)));
    EXPECT_FALSE(platform::folderExists(folder.file("Games")));
    EXPECT_EQ(storedNames(), std::vector<std::string>{"Tools"});

    // A category whose folder went away meanwhile is simply taken off the list.
    Bar* tools = manager.barAt(0);
    ASSERT_TRUE(platform::removeFolder(folder.file("Tools")));
    ASSERT_TRUE(manager.deleteBar(tools));
    EXPECT_EQ(manager.barCount(), 0);
    EXPECT_EQ(storedNames(), std::vector<std::string>{});
}

struct MoveCase {
    const char* moved;
    const char* target; // nullptr: no target
    bool result;
    std::vector<std::string> order;
};

class MoveBar : public BarManagerTest, public testing::WithParamInterface<MoveCase> {};

TEST_P(MoveBar, PlacesTheCategoryAboveTheTargetOrSwapsWithTheNext) {
    for (const char* name : {"X", "Y", "Z"})
        makeCategory(name);
    writeConfig(testing_support::categoryList({"X", "Y", "Z"}));
    BarManager manager(data());
    const auto find = [&](const char* name) -> Bar* {
        for (int i = 0; name && i < manager.barCount(); ++i)
            if (manager.barAt(i)->GetName() == name) return manager.barAt(i);
        return nullptr;
    };
    const std::string before = folder.read("config.txt");
    EXPECT_EQ(manager.moveBar(find(GetParam().moved), find(GetParam().target)), GetParam().result);
    EXPECT_EQ(namesOf(manager), GetParam().order);
    if (GetParam().result)
        EXPECT_EQ(storedNames(), GetParam().order);
    else
        EXPECT_EQ(folder.read("config.txt"), before);
}

INSTANTIATE_TEST_SUITE_P(Orders, MoveBar,
                         testing::Values(MoveCase{"X", "Y", true, {"Y", "X", "Z"}},
                                         MoveCase{"X", "Z", true, {"Y", "X", "Z"}},
                                         MoveCase{"Z", "X", true, {"Z", "X", "Y"}},
                                         MoveCase{"Y", "Z", true, {"X", "Z", "Y"}},
                                         MoveCase{"X", nullptr, true, {"Y", "Z", "X"}},
                                         MoveCase{"Y", "Y", false, {"X", "Y", "Z"}}));

TEST_F(BarManagerTest, AppearanceDefaultsWithoutSettings) {
    const BarManager manager(data());
    EXPECT_EQ(manager.iconSizeType, 16);
    EXPECT_EQ(manager.iconPixelSize(), 16);
    EXPECT_FALSE(manager.showIconTitle);
    EXPECT_EQ(manager.barLayout, 1);
    EXPECT_EQ(manager.barNameAlignment, 1);
    EXPECT_EQ(manager.iconTitleFont.name, "Verdana");
    EXPECT_EQ(manager.iconTitleFont.size, 7);
    EXPECT_EQ(manager.barNameFont.size, 8);
}

// Numbers keep their low 8 bits; one that names no choice reads as the choice every window
// shows for it, and reading writes nothing.
TEST_F(BarManagerTest, StoredChoicesKeepTheirLow8BitsAndUnknownOnesReadAsWhatIsShown) {
    makeCategory("X");
    const std::string written = "[Appearance]\r\nBarLayout=257\r\nBarNameAlignment=0x100\r\n"
                                "IconSizeType=32\r\nShowIconTitle=1\r\n";
    folder.write("settings.txt", written);
    const BarManager named(data());
    EXPECT_EQ(named.barLayout, 1);
    EXPECT_EQ(named.barNameAlignment, 0);
    EXPECT_EQ(named.iconPixelSize(), 32);
    EXPECT_TRUE(named.showIconTitle);

    folder.write("settings.txt", "[Appearance]\r\nBarLayout=2\r\nBarNameAlignment=7\r\n");
    const BarManager unknown(data());
    EXPECT_EQ(unknown.barLayout, 0) << "what the window draws: the icons left";
    EXPECT_FALSE(unknown.appearance().nameLeft);
    EXPECT_EQ(unknown.barNameAlignment, 2);
    EXPECT_EQ(folder.read("settings.txt"), "[Appearance]\r\nBarLayout=2\r\nBarNameAlignment=7\r\n");
}

TEST_F(BarManagerTest, AnIconSizeNeither16Nor32ReadsAsSmall) {
    makeCategory("X");
    folder.write("X\\a.lnk", "");
    folder.write("settings.txt", "[Appearance]\r\nIconSizeType=7\r\n");
    BarManager manager(data());
    EXPECT_EQ(manager.iconSizeType, 16) << "what the settings dialog shows";
    EXPECT_EQ(manager.iconPixelSize(), 16);
    EXPECT_TRUE(manager.appearance().smallIcons) << "the cells' size";
}

TEST_F(BarManagerTest, SavedAppearanceReadsBackAndKeepsOtherSections) {
    folder.write("settings.txt", "[KestrumButton]\r\nColor=255\r\n");
    {
        BarManager manager(data());
        manager.iconSizeType = 32;
        manager.showIconTitle = true;
        manager.barNameAlignment = 2;
        manager.iconTitleFont.name = "Tahoma";
        manager.iconTitleFont.bold = true;
        manager.setBarLayout(0);
        manager.saveAppearance();
    }
    EXPECT_EQ(
        folder.read("settings.txt"),
        "[KestrumButton]\r\nColor=255\r\n[Appearance]\r\nShowIconTitle=1\r\nIconSizeType=32\r\n"
        "BarLayout=0\r\nBarNameAlignment=2\r\n[IconTitleFont]\r\nFontName=Tahoma\r\n"
        "FontSize=7\r\nFontColor=-2147483640\r\nFontStyle=10001\r\n");
    const BarManager reloaded(data());
    EXPECT_EQ(reloaded.iconSizeType, 32);
    EXPECT_EQ(reloaded.barLayout, 0);
    EXPECT_EQ(reloaded.barNameAlignment, 2);
    EXPECT_EQ(reloaded.iconTitleFont.name, "Tahoma");
    EXPECT_TRUE(reloaded.iconTitleFont.bold);
}

} // namespace
