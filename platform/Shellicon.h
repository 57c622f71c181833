#pragma once
// The picture the shell shows for a path, as a handle that every holder shares: entries whose
// targets show the same icon (the same icon of the same file, as the shell names it) hold the same
// picture. The backend makes the picture at a size only when it is first drawn or prepared at that
// size, keeps it while any handle holds it, and gives it back when the last handle goes. Copies are
// cheap; handles are made, copied and dropped on the user-interface thread only.

#include <memory>
#include <utility>

namespace platform {

class ShellPicture; // the backend's picture of one icon, at the sizes made so far

class ShellIcon {
public:
    ShellIcon() = default; // no icon
    explicit ShellIcon(std::shared_ptr<ShellPicture> picture) : picture_(std::move(picture)) {}

    explicit operator bool() const { return picture_ != nullptr; }
    // The same picture: the same icon as the shell names it.
    bool operator==(const ShellIcon& other) const { return picture_ == other.picture_; }
    bool operator!=(const ShellIcon& other) const { return picture_ != other.picture_; }
    // For the backend; null for no icon.
    ShellPicture* picture() const { return picture_.get(); }

private:
    std::shared_ptr<ShellPicture> picture_;
};

} // namespace platform
