#include "platform/Files.h"
#include "platform/Filesnative.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace platform;
using testing_support::TempFolder;

namespace {

std::vector<std::string> namesIn(const std::string& folder, std::string_view pattern) {
    std::vector<std::string> names;
    for (const auto& entry : listFolder(folder, pattern))
        names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Files, ListsMatchingEntriesWithoutRegardToCase) {
    TempFolder folder;
    folder.write("a.lnk", "");
    folder.write("B.LNK", "");
    folder.write("c.txt", "");
    ASSERT_TRUE(createFolder(folder.file("sub.lnk")));
    EXPECT_EQ(namesIn(folder.path(), "*.lnk"),
              (std::vector<std::string>{"B.LNK", "a.lnk", "sub.lnk"}));
    EXPECT_EQ(namesIn(folder.path(), "*").size(), 4u);
    EXPECT_TRUE(listFolder(folder.file("missing"), "*").empty());
}

TEST(Files, ReportsAttributesOfFilesAndFolders) {
    TempFolder folder;
    const std::string file = folder.write("a.lnk", "x");
    ASSERT_TRUE(createFolder(folder.file("sub")));
    for (const auto& entry : listFolder(folder.path(), "*")) {
        if (entry.name == "sub")
            EXPECT_TRUE(entry.attributes & FileAttribute::Directory);
        else
            EXPECT_FALSE(entry.attributes & (FileAttribute::Directory | FileAttribute::ReadOnly));
    }
    ASSERT_TRUE(setFileAttributes(file, FileAttribute::ReadOnly));
    EXPECT_TRUE(*fileAttributes(file) & FileAttribute::ReadOnly);
    EXPECT_FALSE(deleteFile(file)) << "a read-only file was deleted";
    ASSERT_TRUE(setFileAttributes(file, FileAttribute::Normal));
    EXPECT_FALSE(*fileAttributes(file) & FileAttribute::ReadOnly);
    EXPECT_TRUE(deleteFile(file));
    EXPECT_EQ(fileAttributes(file), std::nullopt);
}

TEST(Files, TellsFilesFromFolders) {
    TempFolder folder;
    const std::string file = folder.write("f", "");
    ASSERT_TRUE(createFolder(folder.file("d")));
    EXPECT_TRUE(fileExists(file));
    EXPECT_FALSE(folderExists(file));
    EXPECT_TRUE(folderExists(folder.file("d")));
    EXPECT_FALSE(fileExists(folder.file("d")));
    EXPECT_FALSE(fileExists(folder.file("none")));
    // Paths built by plain concatenation hold doubled separators.
    EXPECT_TRUE(fileExists(folder.path() + "\\\\f"));
}

TEST(Files, CreatesRenamesAndRemovesFolders) {
    TempFolder folder;
    EXPECT_FALSE(createFolder(folder.file("a") + "\\b")) << "created two levels at once";
    ASSERT_TRUE(createFolder(folder.file("a")));
    EXPECT_FALSE(createFolder(folder.file("a")));
    ASSERT_TRUE(createFolder(folder.file("other")));
    EXPECT_FALSE(renameFile(folder.file("a"), folder.file("other"))) << "replaced a folder";
    ASSERT_TRUE(renameFile(folder.file("a"), folder.file("b")));
    EXPECT_TRUE(folderExists(folder.file("b")));
    folder.write("b\\inside", "");
    EXPECT_FALSE(removeFolder(folder.file("b"))) << "removed a folder that was not empty";
    ASSERT_TRUE(deleteFile(folder.file("b\\inside")));
    EXPECT_TRUE(removeFolder(folder.file("b")));
    EXPECT_FALSE(folderExists(folder.file("b")));
}

TEST(Files, RenameNeverReplacesAFile) {
    TempFolder folder;
    folder.write("from", "1");
    folder.write("to", "2");
    EXPECT_FALSE(renameFile(folder.file("from"), folder.file("to")));
    EXPECT_EQ(folder.read("to"), "2");
}

// The same on both systems: a read that fails partway (a disk error, a range another program
// has locked) gives nothing, never the part read before the failure.
TEST(Files, ReadFileGivesTheWholeContentOrNothing) {
    TempFolder folder;
    const std::string large(200000, 'x'); // more than one read
    EXPECT_EQ(readFile(folder.write("large.txt", large)), large);
    EXPECT_EQ(readFile(folder.write("empty.txt", "")), "");
    EXPECT_EQ(readFile(folder.file("missing.txt")), std::nullopt);
    ASSERT_TRUE(createFolder(folder.file("dir")));
    EXPECT_EQ(readFile(folder.file("dir")), std::nullopt);
    int reads = 0;
    const auto secondReadFails = [&reads](char* buffer, std::size_t size) -> long long {
        if (++reads == 2) return -1;
        std::fill_n(buffer, size, 'y');
        return static_cast<long long>(size);
    };
    EXPECT_EQ(native::readAll(secondReadFails), std::nullopt);
    EXPECT_EQ(reads, 2);
}

TEST(Files, ReplaceFileSwapsWholeContentAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder.file("config.txt");
    // What a save killed halfway leaves behind: the next save takes it away.
    folder.write("config.txt.saving", std::string(300000, 'y'));
    ASSERT_TRUE(replaceFile(path, "first"));
    ASSERT_TRUE(replaceFile(path, std::string(200000, 'x')));
    ASSERT_TRUE(replaceFile(path, "last"));
    EXPECT_EQ(readFile(path), "last");
    EXPECT_EQ(namesIn(folder.path(), "*"), std::vector<std::string>{"config.txt"});
}

TEST(Files, ReplaceFileRefusesReadOnlyFilesAndFolders) {
    TempFolder folder;
    const std::string path = folder.write("config.txt", "old");
    ASSERT_TRUE(setFileAttributes(path, FileAttribute::ReadOnly));
    EXPECT_FALSE(replaceFile(path, "new"));
    EXPECT_EQ(readFile(path), "old");
    ASSERT_TRUE(createFolder(folder.file("dir")));
    EXPECT_FALSE(replaceFile(folder.file("dir"), "new"));
    EXPECT_TRUE(folderExists(folder.file("dir")));
    EXPECT_EQ(namesIn(folder.path(), "*"), (std::vector<std::string>{"config.txt", "dir"}));
}

} // namespace
