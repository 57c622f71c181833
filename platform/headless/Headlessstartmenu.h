#pragma once
// The headless Start menu, as tests set it: which folders it has, and when they change.

#include <string>
#include <vector>

namespace platform::headless {

// The folders every StartMenu made from now on has (those that exist); none at first.
void setStartMenuFolders(std::vector<std::string> folders);
// Tells every living StartMenu that something changed below its folders.
void changeStartMenu();

} // namespace platform::headless
