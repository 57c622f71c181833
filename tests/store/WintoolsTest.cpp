#include "store/Wintools.h"
#include "platform/Files.h"
#include "platform/Linkfile.h"
#include "store/Bar.h"
#include "tests/HeldFile.h"
#include "tests/TempFolder.h"
#include "tests/store/StoreFixture.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include "platform/headless/Headlessshell.h"
#include <unistd.h>
#endif

using testing_support::HeldFile;
using testing_support::StoreTest;
using testing_support::TempFolder;

namespace {

TEST(Shortcuts, KeepTheirTargetEvenWhenItIsGone) {
    TempFolder folder;
    const std::string target = folder.write("program.exe", "x");
    const std::string link = folder.file("program.lnk");
    ASSERT_GE(CreateShortcut(target, link, "A program"), 0);
    EXPECT_EQ(ResolveShortcut(link), target);
    ASSERT_TRUE(platform::deleteFile(target));
    EXPECT_EQ(ResolveShortcut(link), target);
}

TEST(Shortcuts, PathsOverTheLimitFailCleanly) {
    TempFolder folder;
    const std::string target = folder.write("t.txt", "x");
    std::string longLink = folder.path() + "\\";
    longLink += std::string(260 - longLink.size() - 4, 'a') + ".lnk"; // 260 characters
    EXPECT_LT(CreateShortcut(target, longLink, ""), 0);
    EXPECT_FALSE(platform::fileExists(longLink));
    EXPECT_EQ(ResolveShortcut(longLink), "");
    EXPECT_LT(CreateShortcut(target, folder.file("missing\\t.lnk"), ""), 0);
    EXPECT_LT(CreateShortcut("C:\\" + std::string(257, 'x'), folder.file("long.lnk"), ""), 0);
    EXPECT_FALSE(platform::fileExists(folder.file("long.lnk")));
}

TEST(Shortcuts, UnreadableFilesResolveToNothing) {
    TempFolder folder;
    const std::string valid = platform::linkfile::encode({"C:\\Windows\\notepad.exe", "Notepad"});
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"text", "[Link]\nCount=1\n"},
        {"header only", valid.substr(0, 76)},
        {"truncated", valid.substr(0, valid.size() / 2)},
    };
    for (const auto& [what, content] : cases) {
        const std::string link = folder.write("bad.lnk", content);
        EXPECT_EQ(ResolveShortcut(link), "") << what;
    }
    EXPECT_EQ(ResolveShortcut(folder.file("missing.lnk")), "");
}

using Entries = StoreTest;

TEST_F(Entries, AShortcutThatIsNotOneBecomesAnEntryWithoutTargetOrIcons) {
    root.write("Tools\\bad.lnk", "not a shortcut");
    root.write("Tools\\empty.lnk", "");
    const auto bar = load();
    ASSERT_EQ(bar->GetLinkCount(), 2);
    readEntries(*bar);
    for (const auto& entry : bar->Links) {
        EXPECT_EQ(entry->Target, "") << entry->LinkFileName;
        EXPECT_FALSE(entry->GetIcon());
        EXPECT_EQ(entry->GetHint(), entry->GetTitle());
    }
}

TEST_F(Entries, HintIsTheFolderPathOrTheTitle) {
    ASSERT_TRUE(platform::createFolder(root.file("Documents")));
    ASSERT_GE(CreateShortcut(root.file("Documents"), inCategory("Docs.lnk"), ""), 0);
    makeShortcut("Editor.lnk");
    const std::string gone = makeShortcut("Gone.lnk");
    ASSERT_TRUE(platform::deleteFile(gone));
    writeConfig("[Link]\nCount=3\n0=Docs.lnk\n1=Editor.lnk\n2=Gone.lnk\n");
    auto bar = load();
    EXPECT_EQ(bar->GetLink(0)->GetHint(), "Docs") << "the title until the target is read";
    readEntries(*bar);
    EXPECT_EQ(bar->GetLink(0)->GetHint(), root.file("Documents"));
    EXPECT_TRUE(bar->GetLink(0)->GetIcon());
    EXPECT_EQ(bar->GetLink(1)->GetHint(), "Editor");
    EXPECT_EQ(bar->GetLink(2)->Target, gone);
    EXPECT_EQ(bar->GetLink(2)->GetHint(), "Gone");

    // Known from the reading: the hint asks the file system nothing.
    ASSERT_TRUE(platform::removeFolder(root.file("Documents")));
    EXPECT_EQ(bar->GetLink(0)->GetHint(), root.file("Documents"));
}

#ifndef _WIN32
TEST_F(Entries, OpenHandsTheShortcutFileToTheShell) {
    makeShortcut("a.lnk");
    const auto bar = load();
    platform::headless::clearShellExecutions();
    bar->GetLink(0)->Open();
    bar->GetLink(0)->ShowProperties();
    const auto& executions = platform::headless::shellExecutions();
    ASSERT_EQ(executions.size(), 2u);
    EXPECT_EQ(executions[0].file, bar->GetLink(0)->GetLinkPath());
    EXPECT_EQ(executions[0].verb, "");
    EXPECT_EQ(executions[1].file, bar->GetLink(0)->GetLinkPath());
    EXPECT_EQ(executions[1].verb, "properties");
}

// The icon is the target's picture: it must follow the target the shortcut holds now, and not
// outlive a target that is gone.
TEST_F(Entries, TheIconFollowsTheTargetOfTheShortcut) {
    const std::string first = makeShortcut("a.lnk");
    auto bar = load();
    readEntries(*bar);
    IconArea& entry = *bar->GetLink(0);
    ASSERT_TRUE(entry.GetIcon());
    EXPECT_EQ(platform::headless::shellIconSource(entry.GetIcon()), first);

    const std::string second = makeTarget("second.exe");
    ASSERT_GE(CreateShortcut(second, entry.GetLinkPath(), ""), 0);
    entry.LoadNow();
    EXPECT_EQ(platform::headless::shellIconSource(entry.GetIcon()), second);

    ASSERT_TRUE(platform::deleteFile(second));
    entry.LoadNow();
    EXPECT_FALSE(entry.GetIcon());
    EXPECT_TRUE(entry.WantMissingIcons()) << "an entry without its icon gets another try";
}
#endif

class FolderTrees : public ::testing::Test {
protected:
    TempFolder root;
    // A tree with files at two levels, one read-only, hidden or system each.
    std::string makeTree() {
        root.write("tree\\a.txt", "a");
        root.write("tree\\sub\\b.txt", "b");
        root.write("tree\\sub\\deeper\\c.txt", "c");
        for (const auto& [name, attributes] :
             {std::pair{"tree\\ro.txt", platform::FileAttribute::ReadOnly},
              std::pair{"tree\\sub\\hidden.txt", platform::FileAttribute::Hidden},
              std::pair{"tree\\sub\\system.txt", platform::FileAttribute::System}}) {
            root.write(name, "x");
            platform::setFileAttributes(root.file(name), attributes);
        }
        return root.file("tree");
    }

    void SetUp() override {
        for (const char* folder : {"tree", "tree\\sub", "tree\\sub\\deeper"})
            ASSERT_TRUE(platform::createFolder(root.file(folder)));
    }
};

TEST_F(FolderTrees, DeletesEverythingReadOnlyFilesIncluded) {
    const std::string tree = makeTree();
    ASSERT_TRUE(*platform::fileAttributes(root.file("tree\\ro.txt")) &
                platform::FileAttribute::ReadOnly);
    EXPECT_TRUE(DeleteFolderTree(tree + "\\"));
    EXPECT_FALSE(platform::fileAttributes(tree));
}

TEST_F(FolderTrees, RefusesShortPathsAndMissingFolders) {
    for (const char* path : {"", "C:", "C:\\", "/", "a\\b"})
        EXPECT_FALSE(DeleteFolderTree(path)) << path;
    EXPECT_FALSE(DeleteFolderTree(root.file("missing")));
    EXPECT_TRUE(platform::folderExists(root.file("tree")));
}

TEST_F(FolderTrees, StopsAtAFileThatCannotBeDeleted) {
    const std::string tree = root.file("tree");
    for (const char* name : {"1.txt", "2.txt", "3.txt", "4.txt", "5.txt"})
        root.write(std::string("tree\\") + name, name);
    const auto entries = platform::listFolder(tree, "*");
    // Hold the second file in enumeration order that is not a folder.
    std::size_t held = 0;
    for (std::size_t i = 0, files = 0; i < entries.size(); ++i)
        if (!(entries[i].attributes & platform::FileAttribute::Directory) && ++files == 2) held = i;
    ASSERT_GT(held, 0u);
    {
        HeldFile hold(tree + "\\" + entries[held].name);
        EXPECT_FALSE(DeleteFolderTree(tree));
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const bool left = platform::fileAttributes(tree + "\\" + entries[i].name).has_value();
        EXPECT_EQ(left, i >= held) << i << " " << entries[i].name;
    }
    EXPECT_TRUE(platform::folderExists(tree));
}

#ifndef _WIN32
TEST_F(FolderTrees, RemovesLinksWithoutFollowingThem) {
    TempFolder outside;
    outside.write("keep.txt", "keep");
    ASSERT_TRUE(platform::createFolder(outside.file("inner")));
    outside.write("inner\\keep2.txt", "keep");
    const auto posix = [](std::string path) {
        for (char& c : path)
            if (c == '\\') c = '/';
        return path;
    };
    ASSERT_EQ(symlink(posix(outside.path()).c_str(), posix(root.file("tree\\dirlink")).c_str()), 0);
    ASSERT_EQ(symlink(posix(outside.file("keep.txt")).c_str(),
                      posix(root.file("tree\\sub\\filelink")).c_str()),
              0);
    platform::setFileAttributes(outside.file("keep.txt"), platform::FileAttribute::ReadOnly);
    ASSERT_EQ(symlink(posix(outside.file("inner")).c_str(), posix(root.file("linked")).c_str()), 0);
    EXPECT_TRUE(DeleteFolderTree(root.file("linked") + "\\")) << "a folder that is a link";
    EXPECT_FALSE(platform::fileAttributes(root.file("linked")));
    EXPECT_TRUE(DeleteFolderTree(root.file("tree")));
    EXPECT_FALSE(platform::fileAttributes(root.file("tree")));
    EXPECT_EQ(outside.read("keep.txt"), "keep");
    EXPECT_EQ(outside.read("inner\\keep2.txt"), "keep");
    EXPECT_TRUE(*platform::fileAttributes(outside.file("keep.txt")) &
                platform::FileAttribute::ReadOnly)
        << "the link's target kept its attributes";
    platform::setFileAttributes(outside.file("keep.txt"), platform::FileAttribute::Normal);
}
#endif

} // namespace
