#include "platform/Startmenu.h"

#include "platform/Files.h"
#include "platform/headless/Headlessstartmenu.h"

#include <algorithm>

namespace platform {

struct StartMenu::Native {};

namespace {

std::vector<std::string>& setFolders() {
    static std::vector<std::string> folders;
    return folders;
}

// The living objects and what each calls on a change.
std::vector<std::function<void()>*>& listeners() {
    static std::vector<std::function<void()>*> living;
    return living;
}

} // namespace

StartMenu::StartMenu(std::function<void()> changed) : changed_(std::move(changed)) {
    for (const std::string& folder : setFolders())
        if (folderExists(folder)) folders_.push_back(folder);
    listeners().push_back(&changed_);
}

StartMenu::~StartMenu() {
    auto& living = listeners();
    living.erase(std::remove(living.begin(), living.end(), &changed_), living.end());
}

namespace headless {

void setStartMenuFolders(std::vector<std::string> folders) {
    setFolders() = std::move(folders);
}

void changeStartMenu() {
    const auto living = listeners(); // a listener may end another's life
    for (std::function<void()>* changed : living)
        if (std::find(listeners().begin(), listeners().end(), changed) != listeners().end() &&
            *changed)
            (*changed)();
}

} // namespace headless
} // namespace platform
