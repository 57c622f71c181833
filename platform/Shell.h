#pragma once
// The shell: shortcut files, the icons the shell shows for a path, and handing a file to the shell
// to open. The Windows backend uses the system's shell-link object and shell functions, which need
// COM initialised on the calling thread; the headless backend reads and writes the same binary
// shortcut layout (see Linkfile.h) and records what it was asked to open.

#include "platform/Shellicon.h"

#include <cstddef>
#include <memory>
#include <string>

namespace platform {

// The longest path the shell-link calls take: 259 characters plus the terminating zero.
constexpr std::size_t kMaxShellPath = 259;

// Result codes of the shell calls: negative on failure, as the system's HRESULT.
constexpr int kShellOk = 0;
constexpr int kShellFailed = static_cast<int>(0x80004005u);      // E_FAIL
constexpr int kShellInvalidPath = static_cast<int>(0x80070057u); // E_INVALIDARG

// Writes a shortcut file at `linkPath` that points at `target`, with `description`; every other
// property keeps the shell's default. Returns the shell's result code (negative on failure); a
// target or shortcut path longer than kMaxShellPath fails without a call to the shell, since the
// shell would save a shortcut that points nowhere.
int createShellLink(const std::string& target, const std::string& linkPath,
                    const std::string& description);

// The target path stored in the shortcut file at `linkPath`, as stored (a target that has moved
// is not searched for), or "" when the file cannot be read as a shortcut or its path is too long.
std::string shellLinkTarget(const std::string& linkPath);

// Reads the targets of many shortcut files, one after another, through one shell-link object,
// which saves making one per file. target() answers exactly as shellLinkTarget does. The object is
// made at the first call, on the calling thread, which must have COM initialised then and for as
// long as the reader lives; if it cannot be made, the next call tries again.
class ShellLinkReader {
public:
    ShellLinkReader();
    ~ShellLinkReader();
    ShellLinkReader(const ShellLinkReader&) = delete;
    ShellLinkReader& operator=(const ShellLinkReader&) = delete;

    std::string target(const std::string& linkPath);

private:
    struct Native;
    std::unique_ptr<Native> native_;
};

// Where the shell finds its picture of the file or folder at `path` (without a shortcut overlay).
// Not found when the shell has none, which is the usual answer for a path that does not exist.
// Any thread with COM initialised may ask.
IconPlace shellIconPlace(const std::string& path);
// The icon whose picture lies at `place`, shared with every other path whose picture lies there;
// no picture is made yet. No icon when the place was not found.
ShellIcon shellIconAt(const IconPlace& place);
// Both at once, on the user-interface thread.
ShellIcon shellIconOf(const std::string& path);

// What the shell tells of a shortcut file: its target as readShortcut's reader answers, whether
// that target was a folder when read, and where the target's picture lies.
struct ShortcutReading {
    std::string target;
    bool targetIsFolder = false;
    IconPlace icon;
};
// Reads all of that through `links`, on the thread `links` belongs to. Each part may wait for the
// file system (a share that does not answer), so the program does it on a thread of its own
// (Shortcutreader.h), except for a shortcut the user has just made.
ShortcutReading readShortcut(const std::string& linkPath, ShellLinkReader& links);

// Makes `icon`'s picture of `size` units square at the display's scale now, unless it is made
// already, so that drawing it later does not wait for the icon's file.
void prepareShellIcon(const ShellIcon& icon, int size);

// Hands `file` to the shell with `verb` (null for the default verb, "properties" for the property
// sheet) and the normal show command. Any failure is the shell's to report; nothing comes back.
void shellExecute(const std::string& file, const char* verb);

// Hands `file` to the shell with the default verb as shellExecute does, but from a worker thread
// of its own, so that a slow start (a network share that does not answer, a slow shell handler)
// never holds the caller; starts are made one after another, in the order asked. When the shell
// cannot start the file, the system's reason is shown in the standard error box by the message
// loop of the thread that asked. Call it from the user-interface thread.
void startInShell(const std::string& file);

} // namespace platform
