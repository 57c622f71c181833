#pragma once
// The data folder the benchmarks run on: categories "Category 0", "Category 1", ... each with a
// stored list of its entries, as for a user who has arranged them.

#include "platform/Files.h"
#include "platform/Inifile.h"

#include <functional>
#include <string>

namespace bench {

// Fills `data` (ending in a separator) with `categories` categories of `entries` entries each.
// `makeLink(folder, category, entry)` writes an entry's shortcut file into its category's folder
// and gives back the file's name; `title(category, entry)`, when given, is stored as its title.
inline void buildDataFolder(
    const std::string& data, int categories, int entries,
    const std::function<std::string(const std::string&, int, int)>& makeLink,
    const std::function<std::string(int, int)>& title = nullptr) {
    platform::IniBatch list(data + "config.txt");
    list.writeInteger("Bar", "Count", categories);
    for (int c = 0; c < categories; ++c) {
        const std::string name = "Category " + std::to_string(c);
        const std::string folder = data + name;
        platform::createFolder(folder);
        platform::IniBatch links(folder + "\\config.txt");
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

} // namespace bench
