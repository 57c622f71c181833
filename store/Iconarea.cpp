#include "store/Iconarea.h"

#include "platform/Files.h"
#include "platform/Shell.h"
#include "store/Bar.h"
#include "store/Vcltools.h"
#include "store/Wintools.h"

IconArea::IconArea(Bar* owner, std::string linkFileName)
    : Owner(owner), LinkFileName(std::move(linkFileName)) {}

std::string IconArea::GetLinkPath() const {
    return Owner->GetFolderPath() + "\\" + LinkFileName;
}

std::string IconArea::GetTitle() const {
    return Title.empty() ? StripFileExt(LinkFileName) : Title;
}

std::string IconArea::GetHint() const {
    return TargetIsFolder ? Target : GetTitle();
}

void IconArea::LoadIcons() {
    if (State == ShellState::IconsWanted) State = ShellState::Loaded;
    // The shell answers an empty path with an icon of its own, which belongs to no target.
    Icon = Target.empty() ? platform::ShellIcon() : platform::shellIconOf(Target);
}

void IconArea::LoadStep(platform::ShellLinkReader& links) {
    if (State == ShellState::Unread) {
        takeTarget(links.target(GetLinkPath()));
    } else if (State == ShellState::IconsWanted) {
        LoadIcons();
    }
}

void IconArea::LoadNow() {
    takeTarget(ResolveShortcut(GetLinkPath()));
    LoadIcons();
}

// Whether the target is a folder is asked once, here, so that the pointer moving over the icon
// never waits for the file system (a share that does not answer).
void IconArea::takeTarget(std::string target) {
    Target = std::move(target);
    TargetIsFolder = platform::folderExists(Target);
    State = ShellState::IconsWanted;
}

bool IconArea::WantMissingIcons() {
    if (State != ShellState::Loaded || Icon) return false;
    State = ShellState::IconsWanted;
    return true;
}

void IconArea::Open() const {
    platform::startInShell(GetLinkPath());
}

void IconArea::ShowProperties() const {
    platform::shellExecute(GetLinkPath(), "properties");
}
