#pragma once
// The running program as the system sees it: its path, its OLE session, and documents opened
// through the shell.

#include <string>

namespace platform {

// Keeps the system from looking for libraries beside the executable or in the current folder:
// from here on only the system folder is searched. Called first thing at start, before anything
// loads a library.
void restrictLibrarySearch();

// The executable's full path as the system reports it.
std::string executablePath();

// Initialises OLE for the calling thread for as long as the object lives. Failure is not
// examined: without OLE, shortcuts and drag and drop simply do not work.
class OleSession {
public:
    OleSession();
    ~OleSession();
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
};

// Asks the shell to open a file or web address with its "open" verb; false when the shell
// reports that it could not (no such file, nothing registered to open it).
bool openDocument(const std::string& name);

} // namespace platform
