#include "store/Iconarea.h"

#include "platform/Files.h"
#include "platform/Shell.h"
#include "store/Bar.h"
#include "store/Vcltools.h"
#include "store/Wintools.h"

IconArea::IconArea(Bar* owner, std::string linkFileName)
    : Owner(owner), LinkFileName(std::move(linkFileName)) {
    Target = ResolveShortcut(GetLinkPath());
    LoadIcons();
}

std::string IconArea::GetLinkPath() const {
    return Owner->GetFolderPath() + "\\" + LinkFileName;
}

std::string IconArea::GetTitle() {
    if (Title.empty()) Title = StripFileExt(LinkFileName);
    return Title;
}

std::string IconArea::GetHint() {
    return platform::folderExists(Target) ? Target : GetTitle();
}

void IconArea::LoadIcons() {
    SmallIcon.reset();
    LargeIcon.reset();
    // The shell answers an empty path with an icon of its own, which belongs to no target.
    if (Target.empty()) return;
    SmallIcon = platform::shellIcon(Target, platform::ShellIconSize::Small);
    LargeIcon = platform::shellIcon(Target, platform::ShellIconSize::Large);
}

void IconArea::Open() const {
    platform::shellExecute(GetLinkPath(), nullptr);
}

void IconArea::ShowProperties() const {
    platform::shellExecute(GetLinkPath(), "properties");
}
