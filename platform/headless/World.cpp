#include "platform/System.h"
#include "platform/headless/World.h"

namespace platform::headless {

World& world() {
    static World theWorld;
    return theWorld;
}

void resetWorld() {
    World& w = world();
    w.screenWidth = 1024;
    w.screenHeight = 768;
    w.workArea.reset();
    w.cursor = Point{0, 0};
    w.now = 0;
    for (ScheduledTimer& entry : w.timers)
        entry.due = entry.timer->interval();
    w.postedCloses.clear();
    w.quit = false;
    w.messageBoxes.clear();
    w.answers.clear();
    setIdleWork(nullptr);
    w.pointerShape = Cursor::Default;
    w.menus.clear();
    w.menuChoices.clear();
    w.modalScripts.clear();
    resetDialogs();
}

} // namespace platform::headless
