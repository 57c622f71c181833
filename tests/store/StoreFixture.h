#pragma once
// A data folder with one category folder in it, and the shortcut files and targets the store
// tests put there.

#include "platform/Files.h"
#include "platform/Shell.h"
#include "store/Bar.h"
#include "store/Wintools.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace testing_support {

class StoreTest : public ::testing::Test {
protected:
    StoreTest() : dataFolder(root.path() + "\\") {
        if (!platform::createFolder(root.file(kCategory)))
            throw std::runtime_error("cannot create the category folder");
    }

    static constexpr const char* kCategory = "Tools";

    // The path of a file in the category folder.
    std::string inCategory(const std::string& name, const char* category = kCategory) const {
        return root.file(category) + "\\" + name;
    }
    // A file for shortcuts to point at, outside every category.
    std::string makeTarget(const std::string& name) const {
        return root.write(name, "target " + name);
    }
    // A shortcut file in the category pointing at a new target file of the same base name.
    std::string makeShortcut(const std::string& linkName, const char* category = kCategory) const {
        const std::string target = makeTarget("target-of-" + linkName);
        EXPECT_GE(CreateShortcut(target, inCategory(linkName, category), ""), 0) << linkName;
        return target;
    }
    void writeConfig(const std::string& content, const char* category = kCategory) const {
        root.write(std::string(category) + "\\config.txt", content);
    }
    std::string readConfig(const char* category = kCategory) const {
        return root.read(std::string(category) + "\\config.txt");
    }
    std::unique_ptr<Bar> load(const char* category = kCategory) const {
        return std::make_unique<Bar>(nullptr, dataFolder, category);
    }
    // Reads every entry's target and icons, as the idle loader has them read.
    static void readEntries(const Bar& bar) {
        for (const auto& entry : bar.Links)
            entry->LoadNow();
    }
    static std::vector<std::string> fileNames(const Bar& bar) {
        std::vector<std::string> names;
        for (const auto& entry : bar.Links)
            names.push_back(entry->LinkFileName);
        return names;
    }

    TempFolder root;
    const std::string dataFolder; // ends with a separator, as the manager hands it over
};

} // namespace testing_support
