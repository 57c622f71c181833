#pragma once
// One icon of a category: a shortcut file in the category's folder, the target read out of it,
// the target's shell icons and a title. The entry starts its program by handing the shortcut
// file itself to the shell, so the shortcut's own arguments and working folder apply; the target
// serves only for icons and the hint. The entry never writes its shortcut file.

#include "platform/Icon.h"
#include "store/Square.h"

#include <memory>
#include <string>

class Bar;

class IconArea : public Square {
public:
    // Reads the target out of the shortcut and loads its icons; writes nothing.
    IconArea(Bar* owner, std::string linkFileName);

    // The owner's folder + "\" + LinkFileName, built anew so that it follows a rename.
    std::string GetLinkPath() const;
    // The title, or when none is set the file name without its extension, which is then kept
    // as the title (and so saved with the list).
    std::string GetTitle();
    void SetTitle(const std::string& title) { Title = title; }
    // The target's path when the target is a folder, the title otherwise.
    std::string GetHint();

    platform::Icon* GetSmallIcon() const { return SmallIcon.get(); }
    platform::Icon* GetLargeIcon() const { return LargeIcon.get(); }
    // Replaces both icons by the shell's icons of Target; an icon the shell has not stays null.
    void LoadIcons();

    void Open() const;           // the shell's default action on the shortcut file
    void ShowProperties() const; // the shell's property sheet of the shortcut file

    Bar* Owner;
    std::unique_ptr<platform::Icon> SmallIcon;
    std::unique_ptr<platform::Icon> LargeIcon;
    std::string LinkFileName;
    std::string Target; // "" when the shortcut could not be read
    std::string Title;  // "" when not set
    Square TitleRect;   // relative to the cell
    Square IconRect;    // relative to the cell
};
