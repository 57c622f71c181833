#pragma once
// What tests set and see of the headless process: the executable's path, the OLE sessions and
// the documents handed to the shell.

#include <string>
#include <vector>

namespace platform::headless {

void setExecutablePath(std::string path);
int oleSessionCount(); // sessions open right now
// Every name handed to openDocument, also those it could not open (a missing file; a web
// address always opens).
std::vector<std::string>& openedDocuments();

} // namespace platform::headless
