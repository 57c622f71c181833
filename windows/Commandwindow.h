#pragma once
// What the main window needs of the type-to-start window that the hot key opens beside the
// category window.

class CommandWindow {
public:
    virtual ~CommandWindow() = default;
    // Places the window beside the category window, shows it when hidden and brings it to the
    // foreground with the keyboard in its edit box; what was typed stays while it is shown.
    virtual void showCommand() = 0;
    // Empties the edit box and hides the window.
    virtual void hideCommand() = 0;
    // Whether the list holds the Start menu's programs besides the categories' icons; the
    // setting is saved at once (throws platform::IniWriteError when it cannot be).
    virtual bool listsStartMenu() const = 0;
    virtual void setListsStartMenu(bool value) = 0;
};
