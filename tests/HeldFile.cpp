#include "tests/HeldFile.h"

#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/headless/Headlessfiles.h"
#endif

namespace testing_support {

#ifdef _WIN32
HeldFile::HeldFile(std::string path)
    : path_(std::move(path)), handle_(CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                  nullptr, OPEN_EXISTING, 0, nullptr)) {
    if (handle_ == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path_);
}

HeldFile::~HeldFile() {
    CloseHandle(handle_);
}
#else
HeldFile::HeldFile(std::string path) : path_(std::move(path)), handle_(nullptr) {
    platform::headless::holdFileOpen(path_);
}

HeldFile::~HeldFile() {
    platform::headless::releaseFile(path_);
}
#endif

} // namespace testing_support
