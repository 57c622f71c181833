#pragma once
// One icon of a category: a shortcut file in the category's folder, the target read out of it,
// the target's icon in the shell's image lists and a title. The entry starts its program by handing the shortcut
// file itself to the shell, so the shortcut's own arguments and working folder apply; the target
// serves only for icons and the hint. The entry never writes its shortcut file.
//
// Reading the target and the icon costs two shell calls per entry, too slow to do for every
// entry before the bar appears, so an entry is made without them and read later, in steps (see
// LoadStep), by the manager's icon loader while the program is idle.

#include "platform/Shellicon.h"

#include <cstdint>
#include <memory>
#include <string>

class Bar;
namespace platform {
class ShellLinkReader;
}

class IconArea {
public:
    // How much of the entry has been read from the shell.
    enum class ShellState : std::uint8_t {
        Unread,      // nothing yet: Target is "", there is no icon
        IconsWanted, // Target is read; the icon is still to be looked up, or looked up again
        Loaded,      // Target is read and its icon looked up, as far as the shell gave one
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

    // The picture at every size, from the shell's image lists; none until it has been looked up.
    platform::ShellIcon GetIcon() const { return Icon; }
    // Replaces the icon by the shell's icon of Target: none when the shell has none, or for an
    // empty Target. An entry whose Target is read is Loaded after it.
    void LoadIcons();

    ShellState GetShellState() const { return State; }
    // One step of reading the entry: the target when Unread (reading the shortcut with
    // `links`), the icon when IconsWanted; nothing when Loaded. Each step moves the state on.
    void LoadStep(platform::ShellLinkReader& links);
    // Both steps at once, for an entry the user has just added and is waiting to see.
    void LoadNow();
    // A Loaded entry without an icon goes back to IconsWanted, for one more try by the loader;
    // returns whether it did.
    bool WantMissingIcons();

    // The shell's default action on the shortcut file, taken on a thread of its own: returns at
    // once, however long the shell takes.
    void Open() const;
    void ShowProperties() const; // the shell's property sheet of the shortcut file

    Bar* Owner;
    // Its place in the shell's lists, which keep the picture; the entry holds no picture itself.
    platform::ShellIcon Icon;
    std::string LinkFileName;
    std::string Target; // "" when the shortcut could not be read, or is not read yet
    std::string Title;  // "" when not set

private:
    void takeTarget(std::string target);

    ShellState State = ShellState::Unread;
    bool TargetIsFolder = false;
};
