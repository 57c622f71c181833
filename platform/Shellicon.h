#pragma once
// The picture the shell shows for a path, as a handle that every holder shares: entries whose
// targets show the same icon (the same icon of the same file, as the shell names it) hold the same
// picture. The backend makes the picture at a size only when it is first drawn or prepared at that
// size, keeps it while any handle holds it, and gives it back when the last handle goes. Copies are
// cheap; handles are made, copied and dropped on the user-interface thread only.

#include <memory>
#include <string>
#include <utility>

namespace platform {

// Where the shell finds the picture it shows for a path. Finding it may wait for the file system,
// so it can be done on any thread (shellIconPlace, Shell.h); the shared icon is then made from it
// on the user-interface thread (shellIconAt).
struct IconPlace {
    std::string path;   // the path whose picture it is
    std::string file;   // the file that holds the picture; "" when the shell names none
    int index = 0;      // the icon in that file; without a file, a place in the shell's own lists
    bool found = false; // false: the shell has no picture for the path
};

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
