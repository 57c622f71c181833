#pragma once
// An icon of the shell's system image lists, named by its place there. The shell keeps those
// lists for the whole process, one list per size, and holds each picture once however many
// entries show it; so an icon here is a plain value: it owns nothing and nobody gives it back.

namespace platform {

class ShellIcon {
public:
    ShellIcon() = default; // no icon
    explicit ShellIcon(int index) : index_(index) {}

    explicit operator bool() const { return index_ >= 0; }
    // Its place in every one of the shell's image lists.
    int index() const { return index_; }
    bool operator==(const ShellIcon& other) const { return index_ == other.index_; }
    bool operator!=(const ShellIcon& other) const { return index_ != other.index_; }

private:
    int index_ = -1;
};

} // namespace platform
