#include "platform/Process.h"
#include "platform/Files.h"
#include "platform/headless/Headlessprocess.h"

namespace platform {
namespace {

std::string& storedExecutablePath() {
    static std::string path = "/tmp/Kestrum/Kestrum.exe";
    return path;
}

int openSessions = 0;

} // namespace

// Linux looks for no library beside the program.
void restrictLibrarySearch() {}

std::string executablePath() {
    return storedExecutablePath();
}

OleSession::OleSession() {
    ++openSessions;
}

OleSession::~OleSession() {
    --openSessions;
}

// As the shell would: a web address always finds the browser, a file only when it is there.
bool openDocument(const std::string& name) {
    headless::openedDocuments().push_back(name);
    return name.find("://") != std::string::npos || fileAttributes(name).has_value();
}

void headless::setExecutablePath(std::string path) {
    storedExecutablePath() = std::move(path);
}

int headless::oleSessionCount() {
    return openSessions;
}

std::vector<std::string>& headless::openedDocuments() {
    static std::vector<std::string> documents;
    return documents;
}

} // namespace platform
