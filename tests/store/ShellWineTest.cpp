// The shell as Windows has it: shortcuts made and read by the system's shell-link object, icons
// from the shell, and the headless shortcut layout checked against the system's in both ways.
#include "platform/Files.h"
#include "platform/Linkfile.h"
#include "platform/Shell.h"
#include "store/Bar.h"
#include "store/Wintools.h"
#include "tests/TempFolder.h"
#include "tests/store/StoreFixture.h"

#include <gtest/gtest.h>

#include <windows.h>

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

TEST(SystemShortcuts, ShellIconsExistOnlyForExistingPaths) {
    TempFolder folder;
    for (const auto& path : {systemProgram("notepad.exe"), folder.path()}) {
        EXPECT_NE(platform::shellIcon(path, platform::ShellIconSize::Small), nullptr) << path;
        EXPECT_NE(platform::shellIcon(path, platform::ShellIconSize::Large), nullptr) << path;
    }
    EXPECT_EQ(platform::shellIcon(folder.file("missing.exe"), platform::ShellIconSize::Large),
              nullptr);
}

TEST(SystemShortcuts, IconSizesAreTheShellsSmallAndLarge) {
    const auto small =
        platform::shellIcon(systemProgram("notepad.exe"), platform::ShellIconSize::Small);
    const auto large =
        platform::shellIcon(systemProgram("notepad.exe"), platform::ShellIconSize::Large);
    ASSERT_TRUE(small && large);
    for (const auto& [icon, pixels] : {std::pair{small.get(), 16}, std::pair{large.get(), 32}}) {
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon->handle()), &info));
        BITMAP bitmap{};
        GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, pixels);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
}

// The pixels of an icon's colour and mask bitmaps, 32 bits each, row after row.
std::string iconPixels(const platform::Icon* icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(static_cast<HICON>(icon->handle()), &info)) return "";
    std::string pixels;
    HDC screen = GetDC(nullptr);
    for (HBITMAP bitmap : {info.hbmColor, info.hbmMask}) {
        if (!bitmap) continue;
        BITMAP size{};
        GetObjectA(bitmap, sizeof size, &size);
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = size.bmWidth;
        format.bmiHeader.biHeight = size.bmHeight;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        std::string bits(std::size_t(size.bmWidth) * std::size_t(size.bmHeight) * 4, '\0');
        GetDIBits(screen, bitmap, 0, UINT(size.bmHeight), bits.data(), &format, DIB_RGB_COLORS);
        pixels += bits;
        DeleteObject(bitmap);
    }
    ReleaseDC(nullptr, screen);
    return pixels;
}

TEST(SystemShortcuts, BothIconsAtOnceAreTheShellsIcons) {
    TempFolder folder;
    const std::string paths[] = {systemProgram("notepad.exe"), systemProgram("cmd.exe"),
                                 folder.path(), folder.write("notes.txt", "x"),
                                 folder.write("page.htm", "x")};
    for (const auto& path : paths) {
        const auto both = platform::shellIcons(path);
        const auto smallOne = platform::shellIcon(path, platform::ShellIconSize::Small);
        const auto largeOne = platform::shellIcon(path, platform::ShellIconSize::Large);
        ASSERT_TRUE(both.smallIcon && both.largeIcon) << path;
        EXPECT_EQ(iconPixels(both.smallIcon.get()), iconPixels(smallOne.get())) << path;
        EXPECT_EQ(iconPixels(both.largeIcon.get()), iconPixels(largeOne.get())) << path;
        EXPECT_NE(iconPixels(both.smallIcon.get()), iconPixels(both.largeIcon.get())) << path;
    }
    const auto none = platform::shellIcons(folder.file("missing.exe"));
    EXPECT_FALSE(none.smallIcon || none.largeIcon);
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
}

using SystemEntries = StoreTest;

TEST_F(SystemEntries, AnEntryForASystemProgramHasBothIcons) {
    auto bar = load();
    IconArea* entry = bar->AddLink(systemProgram("notepad.exe"), nullptr);
    EXPECT_EQ(entry->LinkFileName, "notepad.exe.lnk");
    EXPECT_TRUE(_stricmp(entry->Target.c_str(), systemProgram("notepad.exe").c_str()) == 0);
    EXPECT_NE(entry->GetSmallIcon(), nullptr);
    EXPECT_NE(entry->GetLargeIcon(), nullptr);
}

} // namespace
