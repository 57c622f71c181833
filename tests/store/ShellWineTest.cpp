// The shell as Windows has it: shortcuts made and read by the system's shell-link object, icons
// from the shell, and the headless shortcut layout checked against the system's in both ways.
#include "platform/Files.h"
#include "platform/Linkfile.h"
#include "platform/Shell.h"
#include "platform/Shortcutreader.h"
#include "platform/win32/Gdi.h"
#include "store/Bar.h"
#include "store/Wintools.h"
#include "tests/TempFolder.h"
#include "tests/store/StoreFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include <windows.h>

#include <commctrl.h>
#include <initguid.h>
#include <commoncontrols.h>
#include <shellapi.h>

using testing_support::StoreTest;
using testing_support::TempFolder;

namespace {

std::string systemProgram(const char* name) {
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder, length) + "\\" + name;
}

TEST(SystemShortcuts, TheHeadlessReaderReadsWhatTheShellWrites) {
    TempFolder folder;
    const std::string target = systemProgram("notepad.exe");
    const std::string link = folder.file("Notepad.lnk");
    ASSERT_GE(CreateShortcut(target, link, "Edits text"), 0);
    const auto decoded = platform::linkfile::decode(*platform::readFile(link));
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(_stricmp(decoded->target.c_str(), target.c_str()) == 0) << decoded->target;
    EXPECT_EQ(decoded->description, "Edits text");
}

TEST(SystemShortcuts, TheShellReadsWhatTheHeadlessWriterWrites) {
    TempFolder folder;
    const std::string targets[] = {systemProgram("notepad.exe"), folder.path(),
                                   folder.file("not there.txt")};
    for (const auto& target : targets) {
        const std::string link =
            folder.write("headless.lnk", platform::linkfile::encode({target, "From here"}));
        EXPECT_TRUE(_stricmp(ResolveShortcut(link).c_str(), target.c_str()) == 0)
            << target << " read as " << ResolveShortcut(link);
    }
}

// Programs, a folder and a document each have a picture of their own, as on a user's Windows (a
// prefix without the usual associations gives every program one generic page); a missing path
// has none. Paths whose icon is the same share one picture, and nothing is added to the shell's
// own image lists, which would keep every picture at four sizes.
TEST(SystemShortcuts, ShellIconsAreEachTargetsOwnAndExistOnlyForExistingPaths) {
    TempFolder folder;
    const std::string copy = folder.file("copy of notepad.exe");
    ASSERT_TRUE(CopyFileA(systemProgram("notepad.exe").c_str(), copy.c_str(), TRUE));
    HIMAGELIST shellList = nullptr;
    ASSERT_TRUE(SUCCEEDED(
        SHGetImageList(SHIL_SMALL, IID_IImageList, reinterpret_cast<void**>(&shellList))));
    const int inShellList = ImageList_GetImageCount(shellList);
    std::vector<platform::ShellIcon> pictures;
    for (const auto& path : {systemProgram("notepad.exe"), systemProgram("cmd.exe"),
                             systemProgram("winemine.exe"), copy, folder.path(),
                             folder.write("notes.txt", "x")}) {
        const platform::ShellIcon icon = platform::shellIconOf(path);
        EXPECT_TRUE(icon) << path;
        EXPECT_EQ(std::count(pictures.begin(), pictures.end(), icon), 0) << path << " shares";
        pictures.push_back(icon);
        platform::Bitmap bitmap(32, 32);
        for (const int size : {16, 32})
            bitmap.canvas().drawIcon({0, 0}, icon, size);
    }
    EXPECT_EQ(platform::shellIconOf(folder.write("more notes.txt", "y")), pictures.back());
    EXPECT_FALSE(platform::shellIconOf(folder.file("missing.exe")));
    EXPECT_EQ(ImageList_GetImageCount(shellList), inShellList);
    reinterpret_cast<IImageList*>(shellList)->Release();
}

// The pixels of a `size`-pixel square, on grey, after `draw` has drawn into it.
template <class Draw> std::vector<COLORREF> squarePixels(int size, Draw&& draw) {
    platform::Bitmap bitmap(size, size);
    platform::Canvas& canvas = bitmap.canvas();
    canvas.brush.color = 0x808080;
    canvas.fillRect({0, 0, size, size});
    const HDC dc = platform::win32::deviceContextOf(bitmap);
    draw(canvas, dc);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            pixels.push_back(GetPixel(dc, x, y));
    return pixels;
}

// What is drawn is, pixel for pixel, the picture the shell hands out as an icon of that size for
// the same path, also for a program without a picture of its own.
TEST(SystemShortcuts, IconsDrawnAreTheShellsIcons) {
    TempFolder folder;
    const std::string paths[] = {systemProgram("notepad.exe"), systemProgram("cmd.exe"),
                                 folder.path(), folder.write("notes.txt", "x"),
                                 folder.write("page.htm", "x"),
                                 folder.write("no program.exe", "not a program")};
    for (const auto& path : paths) {
        const platform::ShellIcon icon = platform::shellIconOf(path);
        ASSERT_TRUE(icon) << path;
        for (const int size : {16, 32}) {
            const auto drawn = squarePixels(size, [&](platform::Canvas& canvas, HDC) {
                canvas.drawIcon({0, 0}, icon, size);
            });
            const auto handedOut = squarePixels(size, [&](platform::Canvas&, HDC dc) {
                SHFILEINFOA info{};
                const UINT which = size == 16 ? SHGFI_SMALLICON : SHGFI_LARGEICON;
                ASSERT_TRUE(SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | which));
                DrawIconEx(dc, 0, 0, info.hIcon, 0, 0, 0, nullptr, DI_NORMAL);
                DestroyIcon(info.hIcon);
            });
            EXPECT_EQ(drawn, handedOut) << path << " at " << size;
            EXPECT_NE(drawn, squarePixels(size, [](auto&, HDC) {})) << path << " drawn at " << size;
        }
    }
}

// One shell-link object reads file after file: each answer must be what a fresh object gives,
// whatever the file before was, a file that is no shortcut among them.
TEST(SystemShortcuts, OneReaderReadsEveryShortcutAsAFreshObjectWould) {
    TempFolder folder;
    const std::string links[] = {
        folder.file("notepad.lnk"),
        folder.file("folder.lnk"),
        folder.write("junk.lnk", "junk"),
        folder.write("no target.lnk", platform::linkfile::encode({"", "nothing"})),
        folder.file("gone.lnk"),
        folder.file("missing.lnk")};
    ASSERT_GE(CreateShortcut(systemProgram("notepad.exe"), links[0], ""), 0);
    ASSERT_GE(CreateShortcut(folder.path(), links[1], ""), 0);
    ASSERT_GE(CreateShortcut(folder.file("gone.exe"), links[4], ""), 0);
    platform::ShellLinkReader reader;
    for (int round = 0; round < 2; ++round)
        for (std::size_t i = 0; i < std::size(links); ++i) {
            const std::string& link = links[round ? std::size(links) - 1 - i : i];
            EXPECT_EQ(reader.target(link), platform::shellLinkTarget(link)) << link;
            EXPECT_EQ(reader.target(links[0]), platform::shellLinkTarget(links[0])) << link;
        }
    EXPECT_EQ(reader.target(links[2]), "");
    EXPECT_EQ(reader.target(links[3]), "");
    EXPECT_EQ(reader.target(links[4]), folder.file("gone.exe"));

    // The reader's thread answers the same, in the order asked, and tells this thread's message
    // loop; a reader that goes with questions left ends without a word.
    bool told = false;
    platform::ShortcutReader threaded([&] { told = true; });
    auto leaving = std::make_unique<platform::ShortcutReader>([] { ADD_FAILURE() << "gone"; });
    for (std::size_t i = 0; i < std::size(links); ++i) {
        threaded.ask(100 + i, links[i]);
        leaving->ask(i, links[i]);
    }
    leaving.reset();
    std::vector<platform::ShortcutReader::Answer> answers;
    while (answers.size() < std::size(links)) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        if (std::exchange(told, false))
            for (auto& answer : threaded.takeAnswers())
                answers.push_back(std::move(answer));
    }
    for (std::size_t i = 0; i < std::size(links); ++i) {
        EXPECT_EQ(answers[i].ticket, 100 + i);
        EXPECT_EQ(answers[i].reading.target, platform::shellLinkTarget(links[i])) << links[i];
    }
    EXPECT_TRUE(answers[0].reading.icon.found);
    EXPECT_TRUE(answers[1].reading.targetIsFolder);
    EXPECT_FALSE(answers[0].reading.targetIsFolder || answers[4].reading.icon.found);
}

using SystemEntries = StoreTest;

TEST_F(SystemEntries, AnEntryForASystemProgramHasBothIcons) {
    auto bar = load();
    IconArea* entry = bar->AddLink(systemProgram("notepad.exe"), nullptr);
    EXPECT_EQ(entry->LinkFileName, "notepad.exe.lnk");
    EXPECT_TRUE(_stricmp(entry->Target.c_str(), systemProgram("notepad.exe").c_str()) == 0);
    EXPECT_TRUE(entry->GetIcon());
}

} // namespace
