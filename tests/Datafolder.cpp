#include "tests/Datafolder.h"

#include "platform/Files.h"
#include "store/Wintools.h"

#include <gtest/gtest.h>

namespace testing_support {

std::string indexedList(const std::string& section, const std::vector<std::string>& values) {
    std::string text = "[" + section + "]\r\nCount=" + std::to_string(values.size()) + "\r\n";
    for (std::size_t i = 0; i < values.size(); ++i)
        text += std::to_string(i) + "=" + values[i] + "\r\n";
    return text;
}

void writeEmptyLink(const TempFolder& folder, const std::string& linkFile, const std::string&) {
    folder.write(linkFile, "");
}

void writeLinkToNewFile(const TempFolder& folder, const std::string& linkFile,
                        const std::string& name) {
    const std::string target = folder.write("target-" + name + ".txt", name);
    EXPECT_GE(CreateShortcut(target, folder.file(linkFile), ""), 0) << name;
}

void writeCategory(const TempFolder& folder, const std::string& name,
                   const std::vector<std::string>& links, const LinkWriter& writeLink) {
    ASSERT_TRUE(platform::createFolder(folder.file(name))) << name;
    std::vector<std::string> files;
    for (const std::string& link : links) {
        files.push_back(link + ".lnk");
        writeLink(folder, name + "\\" + files.back(), link);
    }
    folder.write(name + "\\config.txt", indexedList("Link", files));
}

void writeDataFolder(const TempFolder& folder, const Categories& categories,
                     const LinkWriter& writeLink) {
    std::vector<std::string> names;
    for (const auto& [name, links] : categories) {
        writeCategory(folder, name, links, writeLink);
        names.push_back(name);
    }
    folder.write("config.txt", categoryList(names));
}

} // namespace testing_support
