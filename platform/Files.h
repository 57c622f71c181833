#pragma once
// The file layer: the few file and folder operations the program needs, with Windows semantics.
// Paths are Windows-style strings built by plain concatenation with a backslash; a doubled
// separator is accepted. Every function reports failure by its result and never throws.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Attribute bits as Windows reports them for a folder entry.
namespace FileAttribute {
constexpr std::uint32_t ReadOnly = 0x01;
constexpr std::uint32_t Hidden = 0x02;
constexpr std::uint32_t System = 0x04;
constexpr std::uint32_t VolumeLabel = 0x08;
constexpr std::uint32_t Directory = 0x10;
constexpr std::uint32_t Archive = 0x20;
constexpr std::uint32_t Normal = 0x80;
constexpr std::uint32_t ReparsePoint = 0x400;
} // namespace FileAttribute

struct FolderEntry {
    std::string name; // bare name, no path
    std::uint32_t attributes;
};

// Whether `name` names one entry inside a folder: not empty, not "." or "..", and free of
// "\", "/" and ":". Names read from files must pass this before they are joined to a path, or
// they could reach outside the folder.
bool isPlainName(std::string_view name);

// The entries of `folder` whose names match `pattern` ("*" or "*.ext", compared without regard
// to letter case), in the order the system returns them; "." and ".." are never listed.
// A missing or unreadable folder lists nothing.
std::vector<FolderEntry> listFolder(const std::string& folder, std::string_view pattern);

// The attributes of whatever is at `path` (a link itself, not what it points to), or nothing
// when nothing is there.
std::optional<std::uint32_t> fileAttributes(const std::string& path);

// Only ReadOnly can be changed on every backend; the other bits are kept where the system can.
bool setFileAttributes(const std::string& path, std::uint32_t attributes);

bool fileExists(const std::string& path);   // a file, not a folder
bool folderExists(const std::string& path); // a folder, not a file

bool createFolder(const std::string& path); // one level; fails when the parent is missing
bool renameFile(const std::string& from, const std::string& to); // fails when `to` exists
bool deleteFile(const std::string& path);                        // fails on a read-only file
bool removeFolder(const std::string& path);                      // fails unless the folder is empty
// Copies the file `from` to `to` with its content and attributes; fails when `to` exists.
bool copyFile(const std::string& from, const std::string& to);

// The whole content of a file, or nothing when it cannot be read.
std::optional<std::string> readFile(const std::string& path);

// Replaces (or creates) the file at `path` with `content` as one step: the content goes to
// `path` + kSavingSuffix, which then takes the original's place, so a reader sees either the old
// or the new file, never a torn one. The name is fixed so that a save cut short by a crash leaves
// at most that one file, which the next save of the same file overwrites and moves away. Fails,
// leaving the original untouched, when the original is read-only or the folder cannot be written.
bool replaceFile(const std::string& path, std::string_view content);
constexpr std::string_view kSavingSuffix = ".saving";

} // namespace platform
