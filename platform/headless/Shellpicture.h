#pragma once
// The headless backend's picture of one icon: the path it stands for and the sizes it has been
// made at, so that tests can see which pictures live and at which sizes.

#include <string>
#include <utility>
#include <vector>

namespace platform {

class ShellPicture {
public:
    explicit ShellPicture(std::string source) : source_(std::move(source)) {}

    const std::string& source() const { return source_; }
    // Made at `size` units, unless it was already.
    void make(int size);
    // In the order they were first made.
    const std::vector<int>& sizesMade() const { return sizes_; }

private:
    std::string source_;
    std::vector<int> sizes_;
};

} // namespace platform
