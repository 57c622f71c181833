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
