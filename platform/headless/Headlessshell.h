#pragma once
// What the headless shell was asked to open, so that tests can see it.

#include <string>
#include <vector>

namespace platform::headless {

struct ShellExecution {
    std::string file;
    std::string verb; // "" for the default verb
};

// Every shellExecute call since the last clearShellExecutions, oldest first.
const std::vector<ShellExecution>& shellExecutions();
void clearShellExecutions();

} // namespace platform::headless
