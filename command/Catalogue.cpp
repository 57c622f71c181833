#include "command/Catalogue.h"

#include "command/Ranking.h"
#include "platform/Files.h"
#include "platform/Shell.h"
#include "platform/Text.h"

#include <array>

namespace {

// Folders nest a level or two; a deeper tree is more likely a loop through a link.
constexpr int kDeepestFolder = 8;
constexpr std::string_view kShortcutExtension = ".lnk";

bool holdsWord(const std::string& lowered, std::string_view word) {
    for (std::size_t at = lowered.find(word); at != std::string::npos;
         at = lowered.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        const auto wordByte = [&](std::size_t i) {
            return ranking::isWordCharacter(static_cast<unsigned char>(lowered[i]));
        };
        if ((at == 0 || !wordByte(at - 1)) && (end == lowered.size() || !wordByte(end)))
            return true;
    }
    return false;
}

} // namespace

void Catalogue::read(const std::vector<std::string>& folders) {
    shortcuts_.clear();
    for (const std::string& folder : folders)
        readFolder(folder, 0);
    shortcuts_.shrink_to_fit();
}

void Catalogue::readFolder(const std::string& folder, int depth) {
    for (const platform::FolderEntry& entry : platform::listFolder(folder, "*")) {
        const std::string path = folder + "\\" + entry.name;
        if (entry.attributes & platform::FileAttribute::Directory) {
            if (depth < kDeepestFolder &&
                !(entry.attributes & platform::FileAttribute::ReparsePoint))
                readFolder(path, depth + 1);
            continue;
        }
        const std::string& name = entry.name;
        if (name.size() <= kShortcutExtension.size() ||
            platform::lowerAscii(name.substr(name.size() - kShortcutExtension.size())) !=
                kShortcutExtension)
            continue;
        std::string title = name.substr(0, name.size() - kShortcutExtension.size());
        if (!leftOut(title)) shortcuts_.push_back({std::move(title), path, {}, false});
    }
}

platform::ShellIcon Catalogue::iconOf(const Shortcut& shortcut) {
    if (!shortcut.iconAsked) {
        shortcut.icon = platform::shellIconOf(shortcut.path);
        shortcut.iconAsked = true;
    }
    return shortcut.icon;
}

// Letters beyond ASCII do not occur in the words looked for, so ASCII lowering is enough.
bool Catalogue::leftOut(std::string_view title) {
    const std::string lowered = platform::lowerAscii(title);
    if (lowered.find("uninst") != std::string::npos) return true;
    static constexpr std::array<std::string_view, 5> kHelpWords = {"help", "readme", "read me",
                                                                   "manual", "documentation"};
    for (const std::string_view word : kHelpWords)
        if (holdsWord(lowered, word)) return true;
    return false;
}
