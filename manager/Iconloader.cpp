#include "manager/Iconloader.h"

#include "manager/Barmanager.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "store/Bar.h"
#include "store/Iconarea.h"

#include <algorithm>

namespace {

// Enough that the reader never runs dry between two slices, few enough that an entry the user
// scrolls to or retries is not queued behind thousands of others.
constexpr std::size_t kAskedAtOnce = 64;

} // namespace

IconLoader::IconLoader(BarManager& manager)
    : manager_(manager), reader_([this] {
          if (started_) schedule();
      }),
      self_(std::make_shared<IconLoader*>(this)) {}

IconLoader::~IconLoader() = default;

void IconLoader::start() {
    started_ = true;
    schedule();
}

void IconLoader::requestMissing() {
    bool any = false;
    for (const auto& bar : manager_.bars)
        for (const auto& entry : bar->Links)
            any = entry->WantMissingIcons() || any;
    if (any && started_) schedule();
}

void IconLoader::forget(const IconArea& entry) {
    for (auto asked = asked_.begin(); asked != asked_.end(); ++asked)
        if (asked->second == &entry) {
            asked_.erase(asked);
            return;
        }
}

void IconLoader::forget(const Bar& category) {
    for (auto asked = asked_.begin(); asked != asked_.end();)
        asked = asked->second->Owner == &category ? asked_.erase(asked) : std::next(asked);
}

void IconLoader::schedule() {
    platform::setIdleWork([self = std::weak_ptr<IconLoader*>(self_)] {
        const auto loader = self.lock();
        return loader && (*loader)->runSlice();
    });
}

bool IconLoader::runSlice() {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    askForMore();
    takeAnswers();
    while (!answers_.empty()) {
        const Clock::time_point stepStart = Clock::now();
        const platform::ShortcutReader::Answer answer = std::move(answers_.front());
        answers_.pop_front();
        if (!giveAnswer(answer)) continue; // for an entry that has gone: costs nothing
        // The next answer is taken to cost what this one did.
        const Clock::time_point now = Clock::now();
        if ((now - start) + (now - stepStart) >= sliceBudget) break;
    }
    return !answers_.empty();
}

void IconLoader::askForMore() {
    while (asked_.size() < kAskedAtOnce) {
        IconArea* entry = nextUnreadEntry();
        if (!entry) return;
        entry->MarkReading();
        asked_.emplace(++lastTicket_, entry);
        reader_.ask(lastTicket_, entry->GetLinkPath());
    }
}

void IconLoader::takeAnswers() {
    for (auto& answer : reader_.takeAnswers())
        answers_.push_back(std::move(answer));
}

bool IconLoader::giveAnswer(const platform::ShortcutReader::Answer& answer) {
    const auto asked = asked_.find(answer.ticket);
    if (asked == asked_.end()) return false; // the entry has gone
    IconArea& entry = *asked->second;
    asked_.erase(asked);
    entry.TakeReading(answer.reading);
    // Made here, in idle time, so that the window's painting only draws.
    platform::prepareShellIcon(entry.GetIcon(), manager_.iconPixelSize());
    if (onIconsLoaded) onIconsLoaded(entry);
    return true;
}

IconArea* IconLoader::nextUnreadEntry() {
    const auto& bars = manager_.bars;
    if (bars.empty()) return nullptr;
    if (barPosition_ >= bars.size()) barPosition_ = linkPosition_ = 0;
    // From the stopping place to the end, then from the start round to it again: everything
    // once, the stopping place's own category twice.
    for (std::size_t visited = 0; visited <= bars.size(); ++visited) {
        const auto& links = bars[barPosition_]->Links;
        for (; linkPosition_ < links.size(); ++linkPosition_)
            if (links[linkPosition_]->GetShellState() == IconArea::ShellState::Unread)
                return links[linkPosition_].get();
        barPosition_ = (barPosition_ + 1) % bars.size();
        linkPosition_ = 0;
    }
    return nullptr;
}
