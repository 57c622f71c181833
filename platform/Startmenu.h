#pragma once
// The Start menu's Programs folders, the user's and all users', where installers put their
// shortcuts; and word of any change below them while this object lives. The Windows backend
// asks the shell for the folders (its known folders) and waits for the file system's change
// notifications on a thread of its own, which sleeps while nothing changes; the word reaches
// the thread that made the object through its message loop. The headless backend has the
// folders a test sets and tells of a change when a test says so.

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class StartMenu {
public:
    // `changed` is called on the calling thread, from its message loop, after files or folders
    // were added, removed, renamed or written below the folders; a burst of changes may come as
    // one call.
    explicit StartMenu(std::function<void()> changed);
    ~StartMenu();
    StartMenu(const StartMenu&) = delete;
    StartMenu& operator=(const StartMenu&) = delete;

    // The folders that exist, the user's first; each ends without a separator.
    const std::vector<std::string>& folders() const { return folders_; }

    struct Native; // per backend

private:
    std::vector<std::string> folders_;
    std::function<void()> changed_;
    std::unique_ptr<Native> native_;
};

} // namespace platform
