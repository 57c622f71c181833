#include "platform/Files.h"

#include "platform/Filesnative.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"

#include <algorithm>
#include <windows.h>

namespace platform {
namespace {

using win32::FileHandle;
using win32::FindHandle;
using win32::widen;

bool matchesNothing(const wchar_t* name) {
    return (name[0] == L'.' && name[1] == L'\0') ||
           (name[0] == L'.' && name[1] == L'.' && name[2] == L'\0');
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
    WIN32_FIND_DATAW data;
    const std::wstring query = widen(folder + "\\" + std::string(pattern));
    FindHandle find(FindFirstFileW(query.c_str(), &data));
    if (!find.valid()) return entries;
    do {
        if (!matchesNothing(data.cFileName))
            entries.push_back(
                {win32::narrow(data.cFileName), static_cast<std::uint32_t>(data.dwFileAttributes)});
    } while (FindNextFileW(find.get(), &data));
    return entries;
}

std::optional<std::uint32_t> fileAttributes(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return attributes;
}

bool setFileAttributes(const std::string& path, std::uint32_t attributes) {
    return SetFileAttributesW(widen(path).c_str(), attributes) != 0;
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
    return CreateDirectoryW(widen(path).c_str(), nullptr) != 0;
}

bool renameFile(const std::string& from, const std::string& to) {
    return MoveFileW(widen(from).c_str(), widen(to).c_str()) != 0;
}

bool deleteFile(const std::string& path) {
    return DeleteFileW(widen(path).c_str()) != 0;
}

bool removeFolder(const std::string& path) {
    return RemoveDirectoryW(widen(path).c_str()) != 0;
}

bool copyFile(const std::string& from, const std::string& to) {
    return CopyFileW(widen(from).c_str(), widen(to).c_str(), TRUE) != 0;
}

std::optional<std::string> readFile(const std::string& path) {
    FileHandle file(CreateFileW(widen(path).c_str(), GENERIC_READ,
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
    FileHandle file(CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.valid() && writeAll(file.get(), content) && FlushFileBuffers(file.get());
}

bool native::moveReplacing(const std::string& from, const std::string& to) {
    return MoveFileExW(widen(from).c_str(), widen(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

} // namespace platform
