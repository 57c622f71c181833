#include "tests/TempFolder.h"

#include "platform/Files.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace testing_support {
namespace {

std::string systemTempFolder() {
#ifdef _WIN32
    char buffer[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, buffer);
    std::string path(buffer, length);
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path + "\\kestrum-test-" + std::to_string(GetCurrentProcessId());
#else
    return "/tmp/kestrum-test-" + std::to_string(getpid());
#endif
}

std::string uniqueFolder() {
    static std::atomic<int> counter{0};
    static const std::string root = [] {
        const std::string folder = systemTempFolder();
        platform::createFolder(folder);
        return folder;
    }();
    return root + "\\" + std::to_string(++counter);
}

} // namespace

TempFolder::TempFolder() : path_(uniqueFolder()) {
    removeTree(path_);
    if (!platform::createFolder(path_)) throw std::runtime_error("cannot create " + path_);
}

TempFolder::~TempFolder() {
    removeTree(path_);
}

std::string TempFolder::write(const std::string& name, const std::string& content) const {
    const std::string path = file(name);
    if (!platform::replaceFile(path, content)) throw std::runtime_error("cannot write " + path);
    return path;
}

std::string TempFolder::read(const std::string& name) const {
    return platform::readFile(file(name)).value_or("<missing>");
}

void removeTree(const std::string& folder) {
    for (const auto& entry : platform::listFolder(folder, "*")) {
        const std::string path = folder + "\\" + entry.name;
        const bool isLink = entry.attributes & platform::FileAttribute::ReparsePoint;
        if ((entry.attributes & platform::FileAttribute::Directory) && !isLink) {
            removeTree(path);
            continue;
        }
        platform::setFileAttributes(path, platform::FileAttribute::Normal);
        if (!platform::deleteFile(path)) platform::removeFolder(path);
    }
    platform::setFileAttributes(folder, platform::FileAttribute::Directory);
    platform::removeFolder(folder);
}

} // namespace testing_support
