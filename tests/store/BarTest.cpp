#include "store/Bar.h"
#include "platform/Files.h"
#include "platform/Inifile.h"
#include "tests/store/StoreFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

using testing_support::StoreTest;

namespace {

using BarLoad = StoreTest;

TEST_F(BarLoad, ScansTheFolderWhenNoListIsStoredAndWritesNothing) {
    for (const char* name : {"a.lnk", "b.lnk", "c.LNK"})
        makeShortcut(name);
    root.write("Tools\\notes.txt", "not a shortcut");
    ASSERT_TRUE(platform::createFolder(inCategory("folder.lnk")));
    const auto bar = load();
    std::vector<std::string> expected;
    for (const auto& match : platform::listFolder(root.file("Tools"), "*.lnk"))
        expected.push_back(match.name);
    EXPECT_EQ(fileNames(*bar), expected) << "enumeration order, sub-folder included";
    EXPECT_EQ(readConfig(), "<missing>");
    EXPECT_EQ(root.read("Tools\\settings.txt"), "<missing>");
}

TEST_F(BarLoad, TakesTheStoredListAndItsTitlesByIndex) {
    for (const char* name : {"a.lnk", "b.lnk", "c.lnk", "unlisted.lnk"})
        makeShortcut(name);
    writeConfig("[Link]\nCount=5\n0=c.lnk\n2=a.lnk\n3=gone.lnk\n1=\n4=b.lnk\n"
                "[Titles]\n0=  Third  \n1=skipped\n2=First\n4=\" \t \"\n");
    const auto bar = load();
    ASSERT_EQ(fileNames(*bar), (std::vector<std::string>{"c.lnk", "a.lnk", "b.lnk"}));
    EXPECT_EQ(bar->GetLink(0)->Title, "Third");
    EXPECT_EQ(bar->GetLink(1)->Title, "First") << "title of index 2 stays with index 2";
    EXPECT_EQ(bar->GetLink(2)->Title, "") << "a title of blanks is no title";
    EXPECT_EQ(bar->GetLink(2)->GetTitle(), "b");

    bar->SaveLinks();
    const platform::IniFile config(bar->GetConfigFileName());
    EXPECT_EQ(config.readKeyNames("Link"), (std::vector<std::string>{"Count", "0", "1", "2"}));
    EXPECT_EQ(config.readString("Link", "1", ""), "a.lnk");
    EXPECT_EQ(config.readString("Titles", "1", ""), "First");
    EXPECT_EQ(config.readString("Titles", "2", ""), "b") << "the default title, once shown";
}

TEST_F(BarLoad, CountDecidesBetweenListAndScan) {
    struct Case {
        const char* config;
        std::size_t entries;
    };
    const Case cases[] = {
        {"", 2},                                             // no file content: scan
        {"[Config]\nColor=1\n", 2},                          // no Count: scan
        {"[Link]\n0=a.lnk\n", 2},                            // a list without Count: scan
        {"[Link]\nCount=0\n", 0},                            // an empty list hides the files
        {"[Link]\nCount=junk\n0=a.lnk\n", 0},                // not a number reads as -1
        {"[Link]\nCount=-3\n0=a.lnk\n", 0},                  // negative
        {"[Link]\nCount=\n0=a.lnk\n", 0},                    // present but empty
        {"[Link]\nCount=$1\n0=a.lnk\n1=b.lnk", 1},           // hexadecimal
        {"[link]\ncount=2\n0=a.lnk\n0=b.lnk\n1=a.lnk\n", 2}, // first key wins, names twice
        {"[Link]\nCount=2147483647\n5=a.lnk\n", 1},          // a huge Count loads what is listed
    };
    makeShortcut("a.lnk");
    makeShortcut("b.lnk");
    for (const auto& c : cases) {
        writeConfig(c.config);
        EXPECT_EQ(load()->Links.size(), c.entries) << c.config;
    }
}

TEST_F(BarLoad, ALongListLoadsEntriesBeyondTheKeyNameBlock) {
    makeShortcut("last.lnk");
    std::string manyKeys = "[Link]\nCount=3500\n";
    for (int index = 0; index < 3499; ++index)
        manyKeys += std::to_string(index) + "=missing.lnk\n";
    // One name too long for what is left of the block hides every key after it from a listing.
    const std::string longKey =
        "[Link]\nCount=2\n0=missing.lnk\n" + std::string(16380, 'k') + "=x\n1=last.lnk\n";
    for (const std::string& config : {manyKeys + "3499=last.lnk\n", longKey}) {
        writeConfig(config);
        EXPECT_EQ(fileNames(*load()), (std::vector<std::string>{"last.lnk"}));
    }
}

TEST_F(BarLoad, SkipsStoredNamesThatAreNotPlainFileNames) {
    makeShortcut("inside.lnk");
    const std::string outside = root.write("outside.lnk", "");
    ASSERT_TRUE(platform::createFolder(inCategory("sub")));
    CreateShortcut(makeTarget("deep-target"), inCategory("sub\\deep.lnk"), "");
    writeConfig("[Link]\nCount=7\n0=..\\outside.lnk\n1=../outside.lnk\n2=" + outside +
                "\n3=sub\\deep.lnk\n4=.\n5=..\n6=inside.lnk\n");
    auto bar = load();
    ASSERT_EQ(fileNames(*bar), (std::vector<std::string>{"inside.lnk"}));
    bar->RemoveLink(bar->GetLink(0));
    EXPECT_TRUE(platform::fileExists(outside));
    EXPECT_TRUE(platform::fileExists(inCategory("sub\\deep.lnk")));
}

TEST_F(BarLoad, ReadsSettingsWithTheirDefaults) {
    struct Case {
        const char* config;
        const char* settings;
        platform::Color color;
        bool useImage;
        int style;
        bool ownFont;
    };
    const Case cases[] = {
        {"", "", 0xFFFFFF, true, 0, false},
        {"[Config]\nColor=255\n", "", 255, true, 0, false},
        {"[Config]\nColor=255\n", "[Background]\nBackgoundColor=-2147483640\n", -2147483640, true,
         0, false},
        {"", "[Background]\nUseBackgroundImage=yes\nBackgroundImageStyle=256\n", 0xFFFFFF, true, 0,
         false},
        {"", "[Background]\nUseBackgroundImage=0\nBackgroundImageStyle=259\n", 0xFFFFFF, false, 3,
         false},
        {"", "[Background]\nUseBackgroundImage=2\n[BarNameFont]\nUseOwnBarNameFont=1\n", 0xFFFFFF,
         true, 0, true},
    };
    for (const auto& c : cases) {
        writeConfig(c.config);
        root.write("Tools\\settings.txt", c.settings);
        const auto bar = load();
        const std::string where = std::string(c.config) + "|" + c.settings;
        EXPECT_EQ(bar->Color, c.color) << where;
        EXPECT_EQ(bar->UseBackgroundImage, c.useImage) << where;
        EXPECT_EQ(bar->BackgroundStyle, c.style) << where;
        EXPECT_EQ(bar->UseOwnNameFont, c.ownFont) << where;
    }
}

TEST_F(BarLoad, SavesSettingsInOneFileAndLeavesTheOldColourAlone) {
    writeConfig("[Config]\nColor=255\n");
    auto bar = load();
    bar->BackgroundStyle = 1;
    bar->UseOwnNameFont = true;
    bar->NameFont.size = 10;
    bar->NameFont.color = 0;
    bar->NameFont.bold = true;
    bar->SaveSettings();
    EXPECT_EQ(root.read("Tools\\settings.txt"),
              "[Background]\r\nUseBackgroundImage=1\r\nBackgroundImageStyle=1\r\n"
              "BackgoundColor=255\r\n[BarNameFont]\r\nUseOwnBarNameFont=1\r\nFontName=Verdana\r\n"
              "FontSize=10\r\nFontColor=0\r\nFontStyle=10001\r\n");
    EXPECT_EQ(readConfig(), "[Config]\nColor=255\n");
    const auto reloaded = load();
    EXPECT_EQ(reloaded->NameFont, bar->NameFont);
    EXPECT_EQ(reloaded->Color, 255);
}

using BarList = StoreTest;

TEST_F(BarList, SavesADenseListWithTitlesAndKeepsOtherSections) {
    for (const char* name : {"Notepad.lnk", "Calculator.lnk", "notepad.exe copy0.lnk"})
        makeShortcut(name);
    writeConfig("[Config]\nColor=5\n[Link]\nCount=3\n0=Notepad.lnk\n1=Calculator.lnk\n"
                "2=notepad.exe copy0.lnk\n[Titles]\n1=Pocket calculator\n9=stale\n");
    auto bar = load();
    EXPECT_EQ(bar->GetLink(0)->GetTitle(), "Notepad");
    EXPECT_EQ(bar->GetLink(2)->GetTitle(), "notepad.exe copy0");
    bar->SaveLinks();
    EXPECT_EQ(readConfig(), "[Config]\nColor=5\n[Link]\nCount=3\n0=Notepad.lnk\n1=Calculator.lnk\n"
                            "2=notepad.exe copy0.lnk\n[Titles]\n0=Notepad\n1=Pocket calculator\n"
                            "2=notepad.exe copy0\n");
}

TEST_F(BarList, NamesAndTitlesReadBackAsTheyWereSaved) {
    auto bar = load();
    const std::string driveLike = root.path() + "\\"; // no file name: ".lnk", then " copy0.lnk"
    bar->AddLink(driveLike, nullptr)->SetTitle("\"Quoted\"");
    bar->AddLink(driveLike, nullptr)->SetTitle("'single'");
    bar->SaveLinks();
    const auto reloaded = load();
    ASSERT_EQ(fileNames(*reloaded), (std::vector<std::string>{".lnk", " copy0.lnk"}));
    EXPECT_EQ(reloaded->GetLink(0)->Title, "\"Quoted\"");
    EXPECT_EQ(reloaded->GetLink(1)->Title, "'single'");
}

TEST_F(BarList, RemovingAnEntryDeletesItsFileAndSavesTheRest) {
    for (const char* name : {"a.lnk", "b.lnk", "c.lnk"})
        makeShortcut(name);
    auto bar = load();
    IconArea* removed = bar->GetLink(1);
    const std::string removedName = removed->LinkFileName;
    bar->RemoveLink(removed);
    EXPECT_FALSE(platform::fileExists(inCategory(removedName)));
    const platform::IniFile config(bar->GetConfigFileName());
    EXPECT_EQ(config.readKeyNames("Link"), (std::vector<std::string>{"Count", "0", "1"}));
    EXPECT_EQ(config.readInteger("Link", "Count", -1), 2);
    // Saved as shown, so that a later rename of the file leaves the title as the user knew it.
    for (const char* index : {"0", "1"})
        EXPECT_EQ(config.readString("Titles", index, "") + ".lnk", config.readString("Link", index, ""));

    // A file already gone does not stop the removal.
    ASSERT_TRUE(platform::deleteFile(bar->GetLink(0)->GetLinkPath()));
    bar->RemoveLink(bar->GetLink(0));
    EXPECT_EQ(bar->GetLinkCount(), 1);
    EXPECT_EQ(config.readInteger("Link", "Count", -1), 1);
    EXPECT_EQ(load()->GetLinkCount(), 1);
}

TEST_F(BarList, GetLinkOutsideTheListRaisesOutOfRange) {
    makeShortcut("a.lnk");
    const auto bar = load();
    EXPECT_NE(bar->GetLink(0), nullptr);
    EXPECT_THROW(bar->GetLink(1), std::out_of_range);
    EXPECT_THROW(bar->GetLink(-1), std::out_of_range);
}

TEST_F(BarList, RenameFollowsTheFolderOrChangesNothing) {
    makeShortcut("a.lnk");
    ASSERT_TRUE(platform::createFolder(root.file("Taken")));
    auto bar = load();
    EXPECT_FALSE(bar->Rename("Taken"));
    EXPECT_EQ(bar->GetName(), "Tools");
    ASSERT_TRUE(bar->Rename("Games"));
    EXPECT_EQ(bar->GetName(), "Games");
    EXPECT_TRUE(platform::fileExists(bar->GetLink(0)->GetLinkPath()));
    bar->SaveLinks();
    EXPECT_TRUE(platform::fileExists(root.file("Games") + "\\config.txt"));
}

} // namespace
