#pragma once
// What tests set and see of the headless process: the executable's path, the OLE sessions and
// the documents handed to the shell.

#include <string>
#include <vector>

namespace platform::headless {

void setExecutablePath(std::string path);
int oleSessionCount(); // sessions open right now
std::vector<std::string>& openedDocuments();

} // namespace platform::headless
