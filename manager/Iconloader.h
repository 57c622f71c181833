#pragma once
// Reads the entries' targets and icons while the program is idle, so that the bar appears at once
// however many shortcuts there are. A reader on a thread of its own reads the shortcut files and
// asks the shell where each target's picture lies; the loader hands it a few entries at a time,
// and in slices that the message loop runs whenever no message waits, it gives each answer to its
// entry and makes the picture at the size the window draws it. Each slice takes about sliceBudget
// at most, and the loader sleeps while it waits for the reader.
//
// Between two slices the windows may destroy any entry or category. The manager tells the loader
// first (forget), so that an answer for an entry that has gone finds nothing; the loader finds
// the entries still to be asked by their ShellState, scanning the manager's categories in display
// order from the position where it last stopped.

#include "platform/Process.h"
#include "platform/Shortcutreader.h"

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <unordered_map>

class Bar;
class BarManager;
class IconArea;

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
    // The entry or category is about to be destroyed: whatever the reader answers for it is
    // thrown away.
    void forget(const IconArea& entry);
    void forget(const Bar& category);

    // One slice: asks the reader for more entries while it has few, then gives the answers that
    // have come to their entries until the next one would likely take the slice past
    // sliceBudget, at least one. False when no answer is left to give: the loader is done, or
    // waits for the reader (waiting()) and is set as the idle work again when answers come.
    bool runSlice();
    // Whether the reader has entries still to answer.
    bool waiting() const { return !asked_.empty(); }

    // Called after each entry's icons have been loaded (by the first reading or a retry, whether
    // or not the shell gave any), so that the window can repaint that one cell. It may change the
    // model; the loader uses the entry no more once it has called this.
    std::function<void(IconArea&)> onIconsLoaded;
    // How long a slice may take; 0 makes every slice give one answer.
    std::chrono::steady_clock::duration sliceBudget = std::chrono::milliseconds(10);

private:
    void askForMore();
    void takeAnswers();
    // False when the entry asked for has gone.
    bool giveAnswer(const platform::ShortcutReader::Answer& answer);
    IconArea* nextUnreadEntry();
    void schedule();

    BarManager& manager_;
    // COM on this thread for as long as the manager lives: the entries the user adds are read
    // here, through it, and it is first in and last out.
    platform::OleSession ole_;
    platform::ShortcutReader reader_;
    // The entries the reader has yet to answer for, by the ticket they were asked under.
    std::unordered_map<platform::ShortcutReader::Ticket, IconArea*> asked_;
    platform::ShortcutReader::Ticket lastTicket_ = 0;
    std::deque<platform::ShortcutReader::Answer> answers_; // come, not yet given
    // Where the last scan stopped, as positions: the entries there may be gone by now.
    std::size_t barPosition_ = 0;
    std::size_t linkPosition_ = 0;
    bool started_ = false;
    // The idle work holds a weak reference to this, so that once the loader is gone the work it
    // left behind ends instead of reaching a destroyed object.
    std::shared_ptr<IconLoader*> self_;
};
