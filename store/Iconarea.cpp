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

std::string IconArea::GetTitle() {
    if (Title.empty()) Title = StripFileExt(LinkFileName);
    return Title;
}

std::string IconArea::GetHint() {
    return State != ShellState::Unread && platform::folderExists(Target) ? Target : GetTitle();
}

void IconArea::LoadIcons() {
    if (State == ShellState::IconsWanted) State = ShellState::Loaded;
    // The shell answers an empty path with an icon of its own, which belongs to no target.
    Icon = Target.empty() ? platform::ShellIcon() : platform::shellIconOf(Target);
}

void IconArea::LoadStep(platform::ShellLinkReader& links) {
    if (State == ShellState::Unread) {
        Target = links.target(GetLinkPath());
        State = ShellState::IconsWanted;
    } else if (State == ShellState::IconsWanted) {
        LoadIcons();
    }
}

void IconArea::LoadNow() {
    Target = ResolveShortcut(GetLinkPath());
    State = ShellState::IconsWanted;
    LoadIcons();
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
