// Popup menus without a window system: each is recorded and chooses what the tests queued.
#include "platform/Menu.h"
#include "platform/headless/World.h"

#include <algorithm>

namespace platform {

using headless::World;
using headless::world;

// A headless form has no frame: its client area starts at its corner.
int PopupMenu::track(Form& owner, const std::vector<Item>& items, Point at) {
    World& w = world();
    headless::MenuRecord shown{{}, {owner.left() + at.x, owner.top() + at.y}};
    for (const Item& item : items)
        shown.captions.push_back(item.separator ? "-" : item.caption);
    w.menus.push_back(shown);
    if (w.menuChoices.empty()) return -1;
    const std::string choice = w.menuChoices.front();
    w.menuChoices.pop_front();
    const auto found = std::find(shown.captions.begin(), shown.captions.end(), choice);
    return found == shown.captions.end() ? -1 : int(found - shown.captions.begin());
}

namespace headless {

const std::vector<MenuRecord>& menusShown() {
    return world().menus;
}

void chooseNextMenuItem(std::string caption) {
    world().menuChoices.push_back(std::move(caption));
}

} // namespace headless
} // namespace platform
