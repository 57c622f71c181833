#pragma once
// Holds a file open the way another program can on Windows, without sharing its deletion, so
// that deleting it fails until the hold ends.

#include <functional>
#include <string>

namespace testing_support {

class HeldFile {
public:
    explicit HeldFile(const std::string& path);
    ~HeldFile() { release_(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

private:
    std::function<void()> release_;
};

} // namespace testing_support
