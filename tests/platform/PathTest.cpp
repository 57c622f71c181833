#include "platform/Path.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

struct PathCase {
    std::string_view path;
    std::string_view folder;
    std::string_view name;
    std::string_view withoutExtension;
};

// Each row splits one path; folder + name always gives the path back.
constexpr PathCase kCases[] = {
    {"C:\\Programs\\Kestrum.exe", "C:\\Programs\\", "Kestrum.exe", "C:\\Programs\\Kestrum"},
    {"/tmp/Kestrum/Kestrum.exe", "/tmp/Kestrum/", "Kestrum.exe", "/tmp/Kestrum/Kestrum"},
    {"C:\\mixed/dir\\notepad.exe.lnk", "C:\\mixed/dir\\", "notepad.exe.lnk",
     "C:\\mixed/dir\\notepad.exe"},
    {"C:/mixed\\dir/name", "C:/mixed\\dir/", "name", "C:/mixed\\dir/name"},
    {"readme.txt", "", "readme.txt", "readme"},
    {"readme", "", "readme", "readme"},
    {".lnk", "", ".lnk", ""},
    {"", "", "", ""},
    {"C:\\dir\\", "C:\\dir\\", "", "C:\\dir\\"},
    {"dir/", "dir/", "", "dir/"},
    {"C:name.txt", "C:", "name.txt", "C:name"},
    {"C:", "C:", "", "C:"},
    {"C:\\", "C:\\", "", "C:\\"},
    {"\\\\server\\share\\file.ini", "\\\\server\\share\\", "file.ini", "\\\\server\\share\\file"},
    {"\\\\server\\share", "\\\\server\\", "share", "\\\\server\\share"},
    {"a.b\\readme", "a.b\\", "readme", "a.b\\readme"},
    {"a.b/readme", "a.b/", "readme", "a.b/readme"},
    {"C:.hidden", "C:", ".hidden", "C:"},
};

TEST(Path, SplitsAtBackslashSlashAndDriveColon) {
    for (const PathCase& row : kCases) {
        SCOPED_TRACE(std::string(row.path));
        EXPECT_EQ(path::folderOf(row.path), row.folder);
        EXPECT_EQ(path::fileName(row.path), row.name);
        EXPECT_EQ(path::withoutExtension(row.path), row.withoutExtension);
    }
}

TEST(Path, DropsTrailingSlashesButKeepsTheRoot) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"C:\\dir\\", "C:\\dir"}, {"dir//", "dir"}, {"C:\\dir\\/", "C:\\dir"}, {"C:\\", "C:"},
        {"/", "/"},               {"\\", "\\"},     {"name", "name"},         {"", ""},
    };
    for (const auto& [given, expected] : cases)
        EXPECT_EQ(path::withoutTrailingSlashes(given), expected) << given;
}

} // namespace
