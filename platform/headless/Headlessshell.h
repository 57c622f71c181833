#pragma once
// What the headless shell was asked to open, and the paths its icons stand for and the sizes
// they were made at, so that tests can see them.

#include "platform/Shellicon.h"

#include <cstddef>
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

// The icon that stands for `source`'s picture, the same one for the same path while any handle
// to it lives; shellIconOf gives these for paths that exist.
ShellIcon shellIconFor(const std::string& source);
// The path whose picture `icon` is, and the sizes in units it has been drawn or prepared at, in
// that order; `icon` must be one shellIconFor gave.
const std::string& shellIconSource(const ShellIcon& icon);
std::vector<int> shellIconSizesMade(const ShellIcon& icon);
// How many pictures live now: one per path that something shows.
std::size_t livingShellPictures();

} // namespace platform::headless
