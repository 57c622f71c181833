#include "manager/Iconloader.h"

#include "manager/Barmanager.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "store/Bar.h"
#include "store/Iconarea.h"

IconLoader::IconLoader(BarManager& manager)
    : manager_(manager), links_(std::make_unique<platform::ShellLinkReader>()),
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

void IconLoader::schedule() {
    platform::setIdleWork([self = std::weak_ptr<IconLoader*>(self_)] {
        const auto loader = self.lock();
        return loader && (*loader)->runSlice();
    });
}

bool IconLoader::runSlice() {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    for (;;) {
        IconArea* entry = nextEntryWithWork();
        if (!entry) return false;
        const Clock::time_point stepStart = Clock::now();
        const bool iconsStep = entry->GetShellState() == IconArea::ShellState::IconsWanted;
        entry->LoadStep(*links_);
        if (iconsStep) {
            // Made here, in idle time, so that the window's first painting only draws.
            platform::prepareShellIcon(entry->GetIcon(), manager_.iconPixelSize());
            if (onIconsLoaded) onIconsLoaded(*entry);
        }
        // The next step is taken to cost what this one did.
        const Clock::time_point now = Clock::now();
        if ((now - start) + (now - stepStart) >= sliceBudget) return true;
    }
}

IconArea* IconLoader::nextEntryWithWork() {
    const auto& bars = manager_.bars;
    if (bars.empty()) return nullptr;
    if (barPosition_ >= bars.size()) barPosition_ = linkPosition_ = 0;
    // From the stopping place to the end, then from the start round to it again: everything
    // once, the stopping place's own category twice.
    for (std::size_t visited = 0; visited <= bars.size(); ++visited) {
        const auto& links = bars[barPosition_]->Links;
        for (; linkPosition_ < links.size(); ++linkPosition_)
            if (links[linkPosition_]->GetShellState() != IconArea::ShellState::Loaded)
                return links[linkPosition_].get();
        barPosition_ = (barPosition_ + 1) % bars.size();
        linkPosition_ = 0;
    }
    return nullptr;
}
