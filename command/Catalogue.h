#pragma once
// The programs of the Start menu: every shortcut file below its Programs folders, with the
// title the Start menu shows (the file's name without ".lnk"). Read-only: the catalogue never
// writes, moves or deletes a file there. Shortcuts that only remove a program or open its help
// are left out (see leftOut).

#include "platform/Shellicon.h"

#include <string>
#include <string_view>
#include <vector>

class Catalogue {
public:
    struct Shortcut {
        std::string title;
        std::string path;
        // Looked up the first time the row is drawn: only the few rows a user sees cost the
        // shell's work, never the thousands the folders hold.
        mutable platform::ShellIcon icon;
        mutable bool iconAsked = false;
    };

    // Reads the shortcuts below `folders` anew, those of earlier folders first.
    void read(const std::vector<std::string>& folders);
    const std::vector<Shortcut>& shortcuts() const { return shortcuts_; }
    // The shortcut's icon, asking the shell at the first call only.
    static platform::ShellIcon iconOf(const Shortcut& shortcut);

    // Whether a shortcut of this title is left out: one that uninstalls (its title holds
    // "uninst", as "Uninstall", "Uninstaller" and "unins000" do) or opens help or notes (a word
    // "help", "readme", "read me", "manual" or "documentation"), in any letter case.
    static bool leftOut(std::string_view title);

private:
    void readFolder(const std::string& folder, int depth);

    std::vector<Shortcut> shortcuts_;
};
