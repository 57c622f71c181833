#include "platform/Files.h"

#include "platform/Filesnative.h"
#include "platform/win32/Scoped.h"

#include <algorithm>
#include <windows.h>

namespace platform {
namespace {

using win32::FileHandle;
using win32::FindHandle;

bool matchesNothing(const char* name) {
    return (name[0] == '.' && name[1] == '\0') ||
           (name[0] == '.' && name[1] == '.' && name[2] == '\0');
}

bool writeAll(HANDLE file, std::string_view content) {
    while (!content.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size(), 1u << 20));
        if (!WriteFile(file, content.data(), chunk, &written, nullptr) || written == 0)
            return false;
        content.remove_prefix(written);
    }
    return true;
}

} // namespace

std::vector<FolderEntry> listFolder(const std::string& folder, std::string_view pattern) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAA data;
    const std::string query = folder + "\\" + std::string(pattern);
    FindHandle find(FindFirstFileA(query.c_str(), &data));
    if (!find.valid()) return entries;
    do {
        if (!matchesNothing(data.cFileName))
            entries.push_back({data.cFileName, static_cast<std::uint32_t>(data.dwFileAttributes)});
    } while (FindNextFileA(find.get(), &data));
    return entries;
}

std::optional<std::uint32_t> fileAttributes(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return attributes;
}

bool setFileAttributes(const std::string& path, std::uint32_t attributes) {
    return SetFileAttributesA(path.c_str(), attributes) != 0;
}

bool fileExists(const std::string& path) {
    const auto attributes = fileAttributes(path);
    return attributes && !(*attributes & FileAttribute::Directory);
}

bool folderExists(const std::string& path) {
    const auto attributes = fileAttributes(path);
    return attributes && (*attributes & FileAttribute::Directory);
}

bool createFolder(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool renameFile(const std::string& from, const std::string& to) {
    return MoveFileA(from.c_str(), to.c_str()) != 0;
}

bool deleteFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}

bool removeFolder(const std::string& path) {
    return RemoveDirectoryA(path.c_str()) != 0;
}

bool copyFile(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), TRUE) != 0;
}

std::optional<std::string> readFile(const std::string& path) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return std::nullopt;
    return native::readAll([&file](char* buffer, std::size_t size) -> long long {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, static_cast<DWORD>(size), &got, nullptr)) return -1;
        return got;
    });
}

bool native::writeNewFile(const std::string& path, std::string_view content) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.valid() && writeAll(file.get(), content) && FlushFileBuffers(file.get());
}

bool native::moveReplacing(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

} // namespace platform
