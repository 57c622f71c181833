#pragma once
// A popup menu: items with captions ("&" before the access key) and a callback each, and
// separators. It pops up at a point of its owner's window and runs the chosen item's callback once the
// menu has closed, so a command that opens a dialog does not run inside the menu's own loop.

#include "platform/Geometry.h"

#include <functional>
#include <string>
#include <vector>

namespace platform {

class Form;

class PopupMenu {
public:
    // Returns the item's index, by which its caption can be changed later.
    int addItem(std::string caption, std::function<void()> onClick);
    void addSeparator();
    void setCaption(int index, std::string caption);

    struct Item {
        std::string caption; // empty for a separator
        std::function<void()> onClick;
        bool separator = false;
    };
    const std::vector<Item>& items() const { return items_; }

    // Shows the menu at `at` in the client area of `owner` and waits until the user has chosen
    // or dismissed it; a chosen item's callback then runs (an exception it throws reaches the
    // caller).
    void popup(Form& owner, Point at);

private:
    // The backend's part: shows the items and returns the index chosen, or -1 for none.
    static int track(Form& owner, const std::vector<Item>& items, Point at);

    std::vector<Item> items_;
};

} // namespace platform
