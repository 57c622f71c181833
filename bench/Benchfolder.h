#pragma once
// The data folder the benchmarks run on: categories "Category 0", "Category 1", ... each with a
// stored list of its entries, as for a user who has arranged them.

#include "platform/Files.h"
#include "platform/Inifile.h"
#include "platform/Shell.h"
#include "store/Wintools.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace bench {

// Fills `data` (ending in a separator) with `categories` categories of `entriesIn(category)`
// entries each. `makeLink(folder, category, entry)` writes an entry's shortcut file into its
// category's folder and gives back the file's name; `title(category, entry)`, when given, is
// stored as its title.
inline void
buildDataFolder(const std::string& data, int categories, const std::function<int(int)>& entriesIn,
                const std::function<std::string(const std::string&, int, int)>& makeLink,
                const std::function<std::string(int, int)>& title = nullptr) {
    platform::IniBatch list(data + "config.txt");
    list.writeInteger("Bar", "Count", categories);
    for (int c = 0; c < categories; ++c) {
        const std::string name = "Category " + std::to_string(c);
        const std::string folder = data + name;
        platform::createFolder(folder);
        platform::IniBatch links(folder + "\\config.txt");
        const int entries = entriesIn(c);
        links.writeInteger("Link", "Count", entries);
        for (int i = 0; i < entries; ++i) {
            links.writeString("Link", std::to_string(i), makeLink(folder, c, i));
            if (title) links.writeString("Titles", std::to_string(i), title(c, i));
        }
        links.commit();
        list.writeString("Bar", std::to_string(c), name);
    }
    list.commit();
}

// The same with `entries` entries in every category.
inline void
buildDataFolder(const std::string& data, int categories, int entries,
                const std::function<std::string(const std::string&, int, int)>& makeLink,
                const std::function<std::string(int, int)>& title = nullptr) {
    buildDataFolder(data, categories, [entries](int) { return entries; }, makeLink, title);
}

// Stops the benchmark when `programs` do not have as many distinct pictures as there are
// programs: a figure said to be of so many pictures would be of fewer (a Wine
// prefix without the .exe association gives every program one generic page).
inline void requireDistinctPictures(const std::vector<std::string>& programs) {
    std::vector<platform::ShellIcon> pictures;
    for (const auto& program : programs) {
        const platform::ShellIcon icon = platform::shellIconOf(program);
        if (std::find(pictures.begin(), pictures.end(), icon) == pictures.end())
            pictures.push_back(icon);
    }
    if (pictures.size() == programs.size()) return;
    std::fprintf(stderr,
                 "%zu programs have only %zu distinct pictures: "
                 "is the Wine prefix made by scripts/common.sh?\n",
                 programs.size(), pictures.size());
    std::exit(2);
}

// `count` programs in `folder` to point shortcuts at, each a file of its own: the shell names a
// program's icon by the file that holds it, so copies of one program are as many pictures, which
// is checked. A copy already there is kept.
inline std::vector<std::string> programCopies(const std::string& folder, int count) {
    platform::createFolder(folder);
    std::vector<std::string> copies;
#ifdef _WIN32
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string original = std::string(system) + "\\notepad.exe";
#endif
    for (int i = 0; i < count; ++i) {
        copies.push_back(folder + "\\Program " + std::to_string(i) + ".exe");
        if (platform::fileAttributes(copies.back())) continue;
#ifdef _WIN32
        CopyFileA(original.c_str(), copies.back().c_str(), TRUE);
#else
        platform::replaceFile(copies.back(), "program");
#endif
    }
    requireDistinctPictures(copies);
    return copies;
}

// A makeLink for buildDataFolder: "Program I.lnk" pointing at `targets` in turn, entry after
// entry across the categories.
inline auto shortcutsTo(const std::vector<std::string>& targets, int entriesPerCategory) {
    return [&targets, entriesPerCategory](const std::string& folder, int category, int entry) {
        const std::string link = "Program " + std::to_string(entry) + ".lnk";
        const std::size_t index = std::size_t(category * entriesPerCategory + entry);
        CreateShortcut(targets[index % targets.size()], folder + "\\" + link, "");
        return link;
    };
}

} // namespace bench
