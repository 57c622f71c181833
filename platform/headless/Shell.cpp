// The shell without Windows: shortcut files in the real binary layout, icons for every path that
// exists (each path a picture of its own), and opening recorded instead of done.
#include "platform/Shell.h"
#include "platform/Files.h"
#include "platform/Linkfile.h"
#include "platform/Sharedpictures.h"
#include "platform/Utf8.h"
#include "platform/headless/Headlessshell.h"
#include "platform/headless/Shellpicture.h"

#include <algorithm>
#include <memory>

namespace platform {
namespace {

// Every path's picture is its own; kept for the whole process, so that an icon let go of at its
// very end still finds it.
SharedPictures<std::string, ShellPicture>& livingPictures() {
    static auto* pictures = new SharedPictures<std::string, ShellPicture>();
    return *pictures;
}

std::vector<headless::ShellExecution>& executions() {
    static std::vector<headless::ShellExecution> list;
    return list;
}

// The limit counts characters, as the system does, not the bytes of UTF-8.
bool tooLong(const std::string& path) {
    return utf8::characterCount(path) > kMaxShellPath;
}

} // namespace

int createShellLink(const std::string& target, const std::string& linkPath,
                    const std::string& description) {
    if (tooLong(linkPath) || tooLong(target)) return kShellInvalidPath;
    const std::string bytes = linkfile::encode({target, description});
    return replaceFile(linkPath, bytes) ? kShellOk : kShellFailed;
}

std::string shellLinkTarget(const std::string& linkPath) {
    if (tooLong(linkPath)) return "";
    const auto bytes = readFile(linkPath);
    if (!bytes) return "";
    const auto content = linkfile::decode(*bytes);
    return content ? content->target : "";
}

// Nothing to keep between reads here: every read is a file read.
struct ShellLinkReader::Native {};

ShellLinkReader::ShellLinkReader() = default;
ShellLinkReader::~ShellLinkReader() = default;

std::string ShellLinkReader::target(const std::string& linkPath) {
    return shellLinkTarget(linkPath);
}

IconPlace shellIconPlace(const std::string& path) {
    if (!fileAttributes(path)) return {path, "", 0, false};
    return {path, path, 0, true};
}

ShellIcon shellIconAt(const IconPlace& place) {
    return place.found ? headless::shellIconFor(place.file) : ShellIcon();
}

void prepareShellIcon(const ShellIcon& icon, int size) {
    if (icon) icon.picture()->make(size);
}

void ShellPicture::make(int size) {
    if (std::find(sizes_.begin(), sizes_.end(), size) == sizes_.end()) sizes_.push_back(size);
}

ShellIcon headless::shellIconFor(const std::string& source) {
    return ShellIcon(
        livingPictures().share(source, [&] { return std::make_unique<ShellPicture>(source); }));
}

const std::string& headless::shellIconSource(const ShellIcon& icon) {
    return icon.picture()->source();
}

std::vector<int> headless::shellIconSizesMade(const ShellIcon& icon) {
    return icon.picture()->sizesMade();
}

std::size_t headless::livingShellPictures() {
    return livingPictures().living();
}

void shellExecute(const std::string& file, const char* verb) {
    executions().push_back({file, verb ? verb : ""});
}

// Recorded at once: the tests see no thread.
void startInShell(const std::string& file) {
    shellExecute(file, nullptr);
}

const std::vector<headless::ShellExecution>& headless::shellExecutions() {
    return executions();
}

void headless::clearShellExecutions() {
    executions().clear();
}

} // namespace platform
