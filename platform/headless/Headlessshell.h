#pragma once
// What the headless shell was asked to open, and the paths its icons stand for, so that tests
// can see them.

#include "platform/Shellicon.h"

#include <string>
#include <vector>

namespace platform::headless {

struct ShellExecution {
    std::string file;
    std::string verb; // "" for the default verb
};

// Every shellExecute and startInShell call since the last clearShellExecutions, oldest first.
const std::vector<ShellExecution>& shellExecutions();
void clearShellExecutions();

// The icon that stands for `source`'s picture, the same one for the same path, as the shell's
// image lists give; shellIconOf gives these for paths that exist.
ShellIcon shellIconFor(const std::string& source);
// The path whose picture `icon` is; `icon` must be one shellIconFor gave.
const std::string& shellIconSource(ShellIcon icon);

} // namespace platform::headless
