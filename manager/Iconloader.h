#pragma once
// Reads the entries' targets and icons from the shell while the program is idle, so that the bar
// appears at once however many shortcuts there are. It works in slices that the message loop
// runs whenever no message waits; each slice takes about sliceBudget at most.
//
// Between two slices the windows may destroy any entry or category, so the loader keeps no
// pointer to either: it finds its work by the entries' ShellState, scanning the manager's
// categories in display order from the position where the last slice stopped.

#include "platform/Process.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>

class BarManager;
class IconArea;
namespace platform {
class ShellLinkReader;
}

class IconLoader {
public:
    explicit IconLoader(BarManager& manager);
    ~IconLoader();
    IconLoader(const IconLoader&) = delete;
    IconLoader& operator=(const IconLoader&) = delete;

    // Sets the loader as the message loop's idle work. The start-up code calls it once the
    // windows exist; until then nothing is loaded.
    void start();
    // Gives every entry that the shell left without an icon one more try, in idle time: the
    // category window asks for it each time it is shown. Entries still to be read the first time
    // are not affected. Before start() the tries wait for it.
    void requestMissing();

    // One slice: steps through the entries that need work until the next step would likely
    // take the slice past sliceBudget; at least one step. False when nothing is left to do.
    bool runSlice();

    // Called after each entry's icons have been loaded (by the first reading or a retry, whether
    // or not the shell gave any), so that the window can repaint that one cell. It may change the
    // model; the loader uses the entry no more once it has called this.
    std::function<void(IconArea&)> onIconsLoaded;
    // How long a slice may take; 0 makes every slice one step.
    std::chrono::steady_clock::duration sliceBudget = std::chrono::milliseconds(10);

private:
    IconArea* nextEntryWithWork();
    void schedule();

    BarManager& manager_;
    platform::OleSession ole_; // shortcuts are read through COM; first in, last out
    std::unique_ptr<platform::ShellLinkReader> links_;
    // Where the last slice stopped, as positions: the entries there may be gone by now.
    std::size_t barPosition_ = 0;
    std::size_t linkPosition_ = 0;
    bool started_ = false;
    // The idle work holds a weak reference to this, so that once the loader is gone the work
    // it left behind ends instead of reaching a destroyed object.
    std::shared_ptr<IconLoader*> self_;
};
