#include "platform/Shell.h"

#include "platform/Files.h"

namespace platform {

ShellIcon shellIconOf(const std::string& path) {
    return shellIconAt(shellIconPlace(path));
}

ShortcutReading readShortcut(const std::string& linkPath, ShellLinkReader& links) {
    ShortcutReading reading;
    reading.target = links.target(linkPath);
    if (reading.target.empty()) return reading;
    reading.targetIsFolder = folderExists(reading.target);
    reading.icon = shellIconPlace(reading.target);
    return reading;
}

} // namespace platform
