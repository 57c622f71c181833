// The shell without Windows: shortcut files in the real binary layout, icons for every path that
// exists, and opening recorded instead of done.
#include "platform/Shell.h"
#include "platform/Files.h"
#include "platform/Linkfile.h"
#include "platform/Utf8.h"
#include "platform/headless/Headlessshell.h"

#include <algorithm>

namespace platform {
namespace {

// The stand-in for the shell's image lists: the paths whose pictures they hold, each once, at
// its icon's index.
std::vector<std::string>& iconSources() {
    static std::vector<std::string> sources;
    return sources;
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

ShellIcon shellIconOf(const std::string& path) {
    if (!fileAttributes(path)) return {};
    return headless::shellIconFor(path);
}

ShellIcon headless::shellIconFor(const std::string& source) {
    auto& sources = iconSources();
    const auto known = std::find(sources.begin(), sources.end(), source);
    if (known != sources.end()) return ShellIcon(static_cast<int>(known - sources.begin()));
    sources.push_back(source);
    return ShellIcon(static_cast<int>(sources.size() - 1));
}

const std::string& headless::shellIconSource(ShellIcon icon) {
    return iconSources().at(static_cast<std::size_t>(icon.index()));
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
