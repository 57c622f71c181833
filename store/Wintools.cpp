#include "store/Wintools.h"

#include "platform/Files.h"
#include "platform/Shell.h"

namespace {

using platform::FileAttribute::Directory;
using platform::FileAttribute::ReparsePoint;

// A link is removed the way its kind is removed, without touching its attributes, which on
// some systems would change what it points to.
bool RemoveLinkItself(const std::string& path, std::uint32_t attributes) {
    return (attributes & Directory) ? platform::removeFolder(path) : platform::deleteFile(path);
}

} // namespace

int CreateShortcut(const std::string& target, const std::string& shortcutPath,
                   const std::string& description) {
    return platform::createShellLink(target, shortcutPath, description);
}

std::string ResolveShortcut(const std::string& shortcutPath) {
    return platform::shellLinkTarget(shortcutPath);
}

bool DeleteFolderTree(const std::string& path) {
    if (path.size() < 4) return false;
    const bool endsWithSeparator = path.back() == '\\' || path.back() == '/';
    const std::string folder = endsWithSeparator ? path.substr(0, path.size() - 1) : path;
    // A folder that is itself a link goes as a link, and what it points to stays.
    const auto attributes = platform::fileAttributes(folder);
    if (attributes && (*attributes & ReparsePoint)) return RemoveLinkItself(folder, *attributes);

    bool complete = true;
    for (const auto& entry : platform::listFolder(folder, "*")) {
        const std::string entryPath = folder + "\\" + entry.name;
        if (entry.attributes & ReparsePoint) {
            complete = complete && RemoveLinkItself(entryPath, entry.attributes);
        } else if (entry.attributes & Directory) {
            complete = complete && DeleteFolderTree(entryPath);
        } else {
            // Cleared even once deleting has stopped, as for every file before.
            platform::setFileAttributes(entryPath, platform::FileAttribute::Normal);
            complete = complete && platform::deleteFile(entryPath);
        }
    }
    return complete && platform::removeFolder(path);
}
