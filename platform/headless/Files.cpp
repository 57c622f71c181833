// The file layer on POSIX. Windows attributes are mapped like this:
// - Directory: a directory; ReparsePoint: a symbolic link (reported for the link itself);
// - ReadOnly: the owner has no write permission (setting it clears every write bit);
// - Hidden: the name starts with a dot (a property of the name, so it cannot be set);
// - Archive: every regular file, as Windows reports for files written by ordinary programs.
// Pattern matching ignores letter case, as it does on Windows. Windows paths are turned into
// POSIX ones by reading every backslash as a slash.
#include "platform/Files.h"
#include "platform/Filesnative.h"
#include "platform/Path.h"
#include "platform/headless/Headlessfiles.h"

#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

std::string posixPath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

std::uint32_t attributesOf(const struct stat& info, std::string_view name) {
    std::uint32_t attributes = 0;
    if (S_ISLNK(info.st_mode)) attributes |= FileAttribute::ReparsePoint;
    if (S_ISDIR(info.st_mode)) attributes |= FileAttribute::Directory;
    if (S_ISREG(info.st_mode)) attributes |= FileAttribute::Archive;
    if (!(info.st_mode & S_IWUSR)) attributes |= FileAttribute::ReadOnly;
    if (!name.empty() && name[0] == '.') attributes |= FileAttribute::Hidden;
    return attributes;
}

// A folder's own name, also when the path ends in a separator.
std::string_view baseName(std::string_view posix) {
    return path::fileName(path::withoutTrailingSlashes(posix));
}

bool writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written <= 0) return false;
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

std::set<std::string>& heldFiles() {
    static std::set<std::string> paths;
    return paths;
}

} // namespace

void headless::holdFileOpen(const std::string& path) {
    heldFiles().insert(posixPath(path));
}

void headless::releaseFile(const std::string& path) {
    heldFiles().erase(posixPath(path));
}

std::vector<FolderEntry> listFolder(const std::string& folder, std::string_view pattern) {
    std::vector<FolderEntry> entries;
    const std::string base = posixPath(folder) + "/";
    DIR* dir = opendir(base.c_str());
    if (!dir) return entries;
    const std::string wildcard(pattern);
    while (const dirent* entry = readdir(dir)) {
        if (isDotOrDotDot(entry->d_name)) continue;
        if (fnmatch(wildcard.c_str(), entry->d_name, FNM_CASEFOLD) != 0) continue;
        struct stat info;
        if (lstat((base + entry->d_name).c_str(), &info) != 0) continue;
        entries.push_back({entry->d_name, attributesOf(info, entry->d_name)});
    }
    closedir(dir);
    return entries;
}

std::optional<std::uint32_t> fileAttributes(const std::string& path) {
    const std::string posix = posixPath(path);
    struct stat info;
    if (lstat(posix.c_str(), &info) != 0) return std::nullopt;
    return attributesOf(info, baseName(posix));
}

bool setFileAttributes(const std::string& path, std::uint32_t attributes) {
    const std::string posix = posixPath(path);
    struct stat info;
    if (stat(posix.c_str(), &info) != 0) return false;
    mode_t mode = info.st_mode & 07777;
    mode = (attributes & FileAttribute::ReadOnly) ? (mode & ~mode_t(0222)) : (mode | S_IWUSR);
    return chmod(posix.c_str(), mode) == 0;
}

bool fileExists(const std::string& path) {
    struct stat info;
    return stat(posixPath(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool folderExists(const std::string& path) {
    struct stat info;
    return stat(posixPath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool createFolder(const std::string& path) {
    return mkdir(posixPath(path).c_str(), 0777) == 0;
}

bool renameFile(const std::string& from, const std::string& to) {
    const std::string target = posixPath(to);
    struct stat info;
    if (lstat(target.c_str(), &info) == 0) return false; // Windows never replaces here
    return rename(posixPath(from).c_str(), target.c_str()) == 0;
}

bool deleteFile(const std::string& path) {
    const auto attributes = fileAttributes(path);
    if (!attributes || (*attributes & (FileAttribute::ReadOnly | FileAttribute::Directory)))
        return false;
    const std::string posix = posixPath(path);
    return !heldFiles().count(posix) && unlink(posix.c_str()) == 0;
}

bool removeFolder(const std::string& path) {
    return rmdir(posixPath(path).c_str()) == 0;
}

bool copyFile(const std::string& from, const std::string& to) {
    const auto content = readFile(from);
    const auto attributes = fileAttributes(from);
    if (!content || !attributes || (*attributes & FileAttribute::Directory)) return false;
    const std::string target = posixPath(to);
    const int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) return false;
    const bool written = writeAll(fd, *content);
    if (close(fd) == 0 && written) return setFileAttributes(to, *attributes);
    unlink(target.c_str());
    return false;
}

std::optional<std::string> readFile(const std::string& path) {
    const int fd = open(posixPath(path).c_str(), O_RDONLY);
    if (fd < 0) return std::nullopt;
    auto content = native::readAll([fd](char* buffer, std::size_t size) -> long long {
        return ::read(fd, buffer, size);
    });
    close(fd);
    return content;
}

bool native::writeNewFile(const std::string& path, std::string_view content) {
    const int fd = open(posixPath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    const bool written = writeAll(fd, content) && fchmod(fd, 0644) == 0 && fsync(fd) == 0;
    return close(fd) == 0 && written;
}

bool native::moveReplacing(const std::string& from, const std::string& to) {
    return rename(posixPath(from).c_str(), posixPath(to).c_str()) == 0;
}

} // namespace platform
