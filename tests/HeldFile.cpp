#include "tests/HeldFile.h"

#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/headless/Headlessfiles.h"
#endif

namespace testing_support {

#ifdef _WIN32
HeldFile::HeldFile(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
    release_ = [file] { CloseHandle(file); };
}
#else
HeldFile::HeldFile(const std::string& path) {
    platform::headless::holdFileOpen(path);
    release_ = [path] { platform::headless::releaseFile(path); };
}
#endif

} // namespace testing_support
