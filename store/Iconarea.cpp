#include "store/Iconarea.h"

#include "platform/Shell.h"
#include "store/Bar.h"
#include "store/Vcltools.h"

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

// Whether the target is a folder is asked once, when read, so that the pointer moving over the
// icon never waits for the file system (a share that does not answer).
void IconArea::TakeReading(const platform::ShortcutReading& reading) {
    Target = reading.target;
    TargetIsFolder = reading.targetIsFolder;
    Icon = platform::shellIconAt(reading.icon);
    State = ShellState::Loaded;
}

void IconArea::LoadNow() {
    platform::ShellLinkReader links;
    TakeReading(platform::readShortcut(GetLinkPath(), links));
}

bool IconArea::WantMissingIcons() {
    if (State != ShellState::Loaded || Icon) return false;
    State = ShellState::Unread;
    return true;
}

void IconArea::Open() const {
    platform::startInShell(GetLinkPath());
}

void IconArea::ShowProperties() const {
    platform::shellExecute(GetLinkPath(), "properties");
}
