#pragma once
// Holds a file open the way another program can on Windows, without sharing its deletion, so
// that deleting it fails until the hold ends.

#include <string>

namespace testing_support {

class HeldFile {
public:
    explicit HeldFile(std::string path);
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

private:
    std::string path_;
    void* handle_;
};

} // namespace testing_support
