// The headless message loop: a clock that only moves when the tests advance it, the timers it
// fires, modal shows that run a script, the idle work and posted closes, all when told.
#include "platform/Loopnative.h"
#include "platform/System.h"
#include "platform/headless/Formnative.h"
#include "platform/headless/World.h"

#include <algorithm>

namespace platform {

using headless::ScheduledTimer;
using headless::World;
using headless::world;

namespace {

ScheduledTimer* nextDue(long long until) {
    ScheduledTimer* next = nullptr;
    for (ScheduledTimer& entry : world().timers) {
        if (entry.due > until) continue;
        if (!next || entry.due < next->due ||
            (entry.due == next->due && entry.startOrder < next->startOrder))
            next = &entry;
    }
    return next;
}

} // namespace

void Timer::start() {
    World& w = world();
    w.timers.push_back({this, w.now + interval_, w.startCount++});
}

void Timer::stop() {
    auto& timers = world().timers;
    timers.erase(
        std::remove_if(timers.begin(), timers.end(),
                       [this](const ScheduledTimer& entry) { return entry.timer == this; }),
        timers.end());
}

void Form::disableOtherWindows() {
    for (Form* form : world().forms) {
        if (form == this || !form->visible() || !form->native().enabled) continue;
        form->native().enabled = false;
        native_->disabledWhileModal.push_back(form);
    }
}

void Form::enableOtherWindows() {
    const auto& live = world().forms;
    for (Form* form : native_->disabledWhileModal)
        if (std::find(live.begin(), live.end(), form) != live.end()) form->native().enabled = true;
    native_->disabledWhileModal.clear();
}

void Form::runModalLoop() {
    if (!world().modalScripts.empty()) {
        const auto script = std::move(world().modalScripts.front());
        world().modalScripts.pop_front();
        script(*this);
    }
    if (visible()) close();
}

void Form::postClose() {
    world().postedCloses.push_back(this);
}

// The tests deliver every event themselves.
void native::dispatchUntilQuit() {}

void quitMessageLoop() {
    world().quit = true;
}

namespace headless {

void advanceTime(int ms) {
    World& w = world();
    const long long until = w.now + ms;
    while (ScheduledTimer* entry = nextDue(until)) {
        w.now = entry->due;
        entry->due += std::max(1, entry->timer->interval());
        Timer& timer = *entry->timer; // the entry may go while the handler runs
        FormEvents::timer(timer.owner(), timer.id());
    }
    w.now = until;
}

int runningTimers() {
    return static_cast<int>(world().timers.size());
}

int runIdleWork(int maxSlices) {
    int slices = 0;
    while (slices < maxSlices && native::runIdleSlice())
        ++slices;
    return slices;
}

void deliverPostedMessages() {
    auto& posted = world().postedCloses;
    while (!posted.empty()) {
        Form* form = posted.front();
        posted.erase(posted.begin());
        form->close();
    }
}

bool quitRequested() {
    return world().quit;
}

void runInNextModalShow(std::function<void(Form&)> script) {
    world().modalScripts.push_back(std::move(script));
}

} // namespace headless
} // namespace platform
