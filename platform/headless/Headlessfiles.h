#pragma once
// Stands in for another program holding a file open without sharing its deletion, which POSIX
// has no way to express: deleteFile fails on a held file until it is released.

#include <string>

namespace platform::headless {

void holdFileOpen(const std::string& path);
void releaseFile(const std::string& path);

} // namespace platform::headless
