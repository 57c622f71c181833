#include "platform/Process.h"
#include "platform/headless/Headlessprocess.h"

namespace platform {
namespace {

std::string& storedExecutablePath() {
    static std::string path = "/tmp/Kestrum/Kestrum.exe";
    return path;
}

int openSessions = 0;

} // namespace

std::string executablePath() {
    return storedExecutablePath();
}

OleSession::OleSession() {
    ++openSessions;
}

OleSession::~OleSession() {
    --openSessions;
}

void openDocument(const std::string& name) {
    headless::openedDocuments().push_back(name);
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
