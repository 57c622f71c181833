#pragma once
// Data folders as the tests need them: the list of categories in config.txt, and category
// folders whose config.txt lists their shortcut files in a fixed order (so that no test hangs on
// the order a file system lists them in).

#include "tests/TempFolder.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// Categories by name, each with the base names of its shortcut files (".lnk" is added).
using Categories = std::vector<std::pair<std::string, std::vector<std::string>>>;

// Writes one shortcut file into `folder`: given its path inside the folder and its base name.
using LinkWriter = std::function<void(const TempFolder& folder, const std::string& linkFile,
                                      const std::string& name)>;

// The text of a config.txt that lists `values` under `section` by index, after their Count.
std::string indexedList(const std::string& section, const std::vector<std::string>& values);

// The data folder's list of categories, in this order.
inline std::string categoryList(const std::vector<std::string>& names) {
    return indexedList("Bar", names);
}

// An empty file: a shortcut the manager lists but that opens nothing.
void writeEmptyLink(const TempFolder& folder, const std::string& linkFile, const std::string& name);

// A real shortcut to a new file "target-<name>.txt" in `folder` that holds the name.
void writeLinkToNewFile(const TempFolder& folder, const std::string& linkFile,
                        const std::string& name);

// Makes the folder of `name` in `folder` with a shortcut per link name, listed in that order in
// its config.txt. Fails the test when the folder cannot be made.
void writeCategory(const TempFolder& folder, const std::string& name,
                   const std::vector<std::string>& links,
                   const LinkWriter& writeLink = writeEmptyLink);

// Every category of `categories` as writeCategory makes it, and the list of them in this order.
void writeDataFolder(const TempFolder& folder, const Categories& categories,
                     const LinkWriter& writeLink = writeEmptyLink);

} // namespace testing_support
