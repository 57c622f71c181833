#include "platform/Files.h"
#include "platform/Inifile.h"
#include "store/Bar.h"
#include "store/Wintools.h"
#include "tests/store/StoreFixture.h"

#include <gtest/gtest.h>

using testing_support::StoreTest;

namespace {

using AddLinks = StoreTest;

TEST_F(AddLinks, NamesNewShortcutsByTheSourceWithCopyNumbersOnAClash) {
    const auto bar = load();
    struct Case {
        const char* existing; // already in the folder, or ""
        const char* source;
        const char* expected;
    };
    ASSERT_TRUE(platform::createFolder(inCategory("Games.lnk")));
    const Case cases[] = {
        {"", "C:\\Windows\\notepad.exe", "notepad.exe.lnk"},
        {"notepad.exe.lnk", "C:\\Windows\\notepad.exe", "notepad.exe copy0.lnk"},
        {"notepad.exe copy0.lnk", "C:\\Windows\\notepad.exe", "notepad.exe copy1.lnk"},
        {"", "D:\\Games", "Games copy0.lnk"}, // a folder of that name is in the way
        {"", "D:\\readme", "readme.lnk"},
        {"", "E:\\Word.LNK", "Word.LNK"},
        {"Word.LNK", "E:\\Word.LNK", "Word copy0.lnk"},
        {"", "C:\\", ".lnk"},
        {".lnk", "C:\\", " copy0.lnk"},
        {"", "C:notes.txt", "notes.txt.lnk"},
    };
    for (const auto& c : cases) {
        if (*c.existing) root.write(std::string("Tools\\") + c.existing, "");
        EXPECT_EQ(bar->NewLinkFileName(c.source), c.expected) << c.source;
    }
}

TEST_F(AddLinks, AddsAShortcutToTheSourceAtTheChosenPlace) {
    const std::string notepad = makeTarget("notepad.exe");
    auto bar = load();
    IconArea* first = bar->AddLink(notepad, nullptr);
    IconArea* second = bar->AddLink(notepad, nullptr);
    IconArea* dropped = bar->AddLink(notepad, first);
    EXPECT_EQ(fileNames(*bar), (std::vector<std::string>{"notepad.exe copy1.lnk", "notepad.exe.lnk",
                                                         "notepad.exe copy0.lnk"}));
    EXPECT_EQ(bar->GetLink(0), dropped);
    EXPECT_EQ(bar->GetLink(2), second);
    EXPECT_EQ(first->Target, notepad);
    EXPECT_EQ(ResolveShortcut(dropped->GetLinkPath()), notepad);
    EXPECT_TRUE(first->GetIcon());
    EXPECT_EQ(first->GetTitle(), "notepad.exe");

    const auto reloaded = load();
    EXPECT_EQ(fileNames(*reloaded), fileNames(*bar));
    EXPECT_EQ(reloaded->GetLink(1)->GetShellState(), IconArea::ShellState::Unread)
        << "only an added entry is read at once";
    readEntries(*reloaded);
    EXPECT_EQ(reloaded->GetLink(1)->Target, notepad);
}

TEST_F(AddLinks, AShortcutThatCannotBeWrittenStillGivesAnEntry) {
    auto bar = load();
    const std::string tooLong = "C:\\" + std::string(300, 'x');
    IconArea* entry = bar->AddLink(tooLong, nullptr);
    EXPECT_EQ(bar->GetLinkCount(), 1);
    EXPECT_EQ(entry->Target, "");
    EXPECT_FALSE(entry->GetIcon());
    EXPECT_EQ(platform::IniFile(bar->GetConfigFileName()).readInteger("Link", "Count", -1), 1);
    EXPECT_EQ(load()->GetLinkCount(), 0) << "the missing file is skipped at the next start";
}

using MoveLinks = StoreTest;

TEST_F(MoveLinks, ReordersWithinACategory) {
    for (const char* name : {"a.lnk", "b.lnk", "c.lnk"})
        makeShortcut(name);
    writeConfig("[Link]\nCount=3\n0=a.lnk\n1=b.lnk\n2=c.lnk\n[Titles]\n2=Mine\n");
    auto bar = load();
    IconArea* last = bar->GetLink(2);
    ASSERT_TRUE(MoveLink(bar.get(), last, bar.get(), bar->GetLink(0)));
    EXPECT_EQ(fileNames(*bar), (std::vector<std::string>{"c.lnk", "a.lnk", "b.lnk"}));
    EXPECT_EQ(last->Title, "Mine");
    const platform::IniFile config(bar->GetConfigFileName());
    EXPECT_EQ(config.readString("Link", "0", ""), "c.lnk");
    EXPECT_EQ(config.readString("Titles", "0", ""), "Mine");

    ASSERT_TRUE(MoveLink(bar.get(), last, bar.get(), nullptr));
    EXPECT_EQ(fileNames(*bar), (std::vector<std::string>{"a.lnk", "b.lnk", "c.lnk"}));
    EXPECT_TRUE(platform::fileExists(inCategory("c.lnk")));
}

TEST_F(MoveLinks, RefusesToMoveAnEntryOntoItself) {
    makeShortcut("a.lnk");
    makeShortcut("b.lnk");
    writeConfig("[Link]\nCount=2\n0=a.lnk\n1=b.lnk\n");
    auto bar = load();
    EXPECT_FALSE(MoveLink(bar.get(), bar->GetLink(0), bar.get(), bar->GetLink(0)));
    EXPECT_EQ(readConfig(), "[Link]\nCount=2\n0=a.lnk\n1=b.lnk\n") << "nothing saved";
}

TEST_F(MoveLinks, MovesTheShortcutItselfIntoAnotherCategory) {
    ASSERT_TRUE(platform::createFolder(root.file("Games")));
    const std::string target = makeShortcut("Calc.lnk");
    makeShortcut("Calc.lnk", "Games");
    makeShortcut("Chess.lnk", "Games");
    writeConfig("[Link]\nCount=1\n0=Calc.lnk\n[Titles]\n0=My calculator\n");
    auto source = load();
    auto destination = load("Games");
    IconArea* chess = destination->GetLink(1);
    ASSERT_EQ(chess->LinkFileName, "Chess.lnk");

    ASSERT_TRUE(MoveLink(source.get(), source->GetLink(0), destination.get(), chess));
    EXPECT_EQ(source->GetLinkCount(), 0);
    EXPECT_FALSE(platform::fileExists(inCategory("Calc.lnk")));
    EXPECT_EQ(fileNames(*destination),
              (std::vector<std::string>{"Calc.lnk", "Calc copy0.lnk", "Chess.lnk"}));
    IconArea* moved = destination->GetLink(1);
    EXPECT_EQ(moved->Target, target) << "still opens what it opened before";
    EXPECT_EQ(ResolveShortcut(moved->GetLinkPath()), target);
    EXPECT_EQ(moved->GetTitle(), "Calc copy0");
    EXPECT_EQ(platform::IniFile(source->GetConfigFileName()).readInteger("Link", "Count", -1), 0);
    EXPECT_EQ(fileNames(*load("Games")), fileNames(*destination));
}

TEST_F(MoveLinks, KeepsEverythingWhenTheShortcutCannotBeCopied) {
    ASSERT_TRUE(platform::createFolder(root.file("Games")));
    makeShortcut("Calc.lnk");
    auto source = load();
    auto destination = load("Games");
    IconArea* entry = source->GetLink(0);
    ASSERT_TRUE(platform::deleteFile(entry->GetLinkPath()));
    EXPECT_FALSE(MoveLink(source.get(), entry, destination.get(), nullptr));
    EXPECT_EQ(source->GetLinkCount(), 1);
    EXPECT_EQ(destination->GetLinkCount(), 0);
    EXPECT_EQ(readConfig("Games"), "<missing>");
}

} // namespace
