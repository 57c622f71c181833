// The shell without Windows: shortcut files in the real binary layout, icons for every path that
// exists, and opening recorded instead of done.
#include "platform/Shell.h"
#include "platform/Files.h"
#include "platform/Linkfile.h"
#include "platform/headless/Headlessicon.h"
#include "platform/headless/Headlessshell.h"

namespace platform {
namespace {

std::vector<headless::ShellExecution>& executions() {
    static std::vector<headless::ShellExecution> list;
    return list;
}

} // namespace

int createShellLink(const std::string& target, const std::string& linkPath,
                    const std::string& description) {
    if (linkPath.size() > kMaxShellPath || target.size() > kMaxShellPath) return kShellInvalidPath;
    const std::string bytes = linkfile::encode({target, description});
    return replaceFile(linkPath, bytes) ? kShellOk : kShellFailed;
}

std::string shellLinkTarget(const std::string& linkPath) {
    if (linkPath.size() > kMaxShellPath) return "";
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

std::unique_ptr<Icon> shellIcon(const std::string& path, ShellIconSize size) {
    if (!fileAttributes(path)) return nullptr;
    const int pixels = size == ShellIconSize::Small ? 16 : 32;
    return std::make_unique<Icon>(headless::createIconHandle(pixels, path));
}

ShellIcons shellIcons(const std::string& path) {
    return {shellIcon(path, ShellIconSize::Small), shellIcon(path, ShellIconSize::Large)};
}

void shellExecute(const std::string& file, const char* verb) {
    executions().push_back({file, verb ? verb : ""});
}

const std::vector<headless::ShellExecution>& headless::shellExecutions() {
    return executions();
}

void headless::clearShellExecutions() {
    executions().clear();
}

} // namespace platform
