#pragma once
// One icon of a category: a shortcut file in the category's folder, the target read out of it,
// the target's icon (a handle to a picture shared with every entry that shows it) and a title.
// The entry starts its program by handing the shortcut file itself to the shell, so the shortcut's
// own arguments and working folder apply; the target serves only for icons and the hint. The
// entry never writes its shortcut file.
//
// Reading the target and the icon costs several shell calls per entry, too slow to do for every
// entry before the bar appears, so an entry is made without them and read later by the manager's
// icon loader, which has the shortcut read on a thread of its own.

#include "platform/Shellicon.h"

#include <cstdint>
#include <memory>
#include <string>

class Bar;
namespace platform {
struct ShortcutReading;
}

class IconArea {
public:
    // How much of the entry has been read from the shell.
    enum class ShellState : std::uint8_t {
        Unread,  // to be read: at first Target is "" and there is no icon; when read again,
                 // both stay as they were until the new reading comes
        Reading, // asked of a reader; TakeReading brings the answer
        Loaded,  // Target is read and its icon looked up, as far as the shell gave one
    };

    // Reads nothing and writes nothing: the entry starts Unread.
    IconArea(Bar* owner, std::string linkFileName);

    // The owner's folder + "\" + LinkFileName, built anew so that it follows a rename.
    std::string GetLinkPath() const;
    // The title, or when none is set the file name without its extension (which the list saves
    // as the title, so that renaming the file later leaves the title shown).
    std::string GetTitle() const;
    void SetTitle(const std::string& title) { Title = title; }
    // The target's path when the target was a folder when it was read, the title otherwise, and
    // so the title while the target is unread. Asks nothing of the file system.
    std::string GetHint() const;

    // The target's icon; none until it has been looked up.
    platform::ShellIcon GetIcon() const { return Icon; }

    ShellState GetShellState() const { return State; }
    // The loader has asked a reader for this entry's shortcut.
    void MarkReading() { State = ShellState::Reading; }
    // Takes the target and icon the shell told of the shortcut; the entry is Loaded after it.
    void TakeReading(const platform::ShortcutReading& reading);
    // Reads the shortcut here and now, for an entry the user has just added and is waiting to see.
    void LoadNow();
    // A Loaded entry without an icon goes back to Unread, for one more try by the loader;
    // returns whether it did.
    bool WantMissingIcons();

    // The shell's default action on the shortcut file, taken on a thread of its own: returns at
    // once, however long the shell takes.
    void Open() const;
    void ShowProperties() const; // the shell's property sheet of the shortcut file

    Bar* Owner;
    // Shared with every entry that shows the same icon; the picture goes with the last of them.
    platform::ShellIcon Icon;
    std::string LinkFileName;
    std::string Target; // "" when the shortcut could not be read, or is not read yet
    std::string Title;  // "" when not set

private:
    ShellState State = ShellState::Unread;
    bool TargetIsFolder = false;
};
