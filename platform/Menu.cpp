#include "platform/Menu.h"

namespace platform {

int PopupMenu::addItem(std::string caption, std::function<void()> onClick) {
    items_.push_back({std::move(caption), std::move(onClick), false});
    return static_cast<int>(items_.size()) - 1;
}

void PopupMenu::addSeparator() {
    items_.push_back({"", nullptr, true});
}

void PopupMenu::setCaption(int index, std::string caption) {
    items_.at(static_cast<std::size_t>(index)).caption = std::move(caption);
}

void PopupMenu::popup(Form& owner, Point at) {
    const int chosen = track(owner, items_, at);
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= items_.size()) return;
    // A copy: the command may change the menu it was chosen from.
    const std::function<void()> command = items_[static_cast<std::size_t>(chosen)].onClick;
    if (command) command();
}

} // namespace platform
