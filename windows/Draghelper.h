#pragma once
// Turns a stream of mouse moves and button-ups into drag notifications. There is no button-down
// input: the press point is the first move seen with the left button held, and a drag begins
// once the pointer is more than `threshold` pixels from it on either axis.

#include "windows/Drageventhandler.h"

#include <variant>

class Bar;
class IconArea;

// What a window drags: nothing, one icon entry or a whole category (not owned).
using DragItem = std::variant<std::monostate, IconArea*, Bar*>;

class DragHelper {
public:
    explicit DragHelper(DragEventHandler& dragHandler) : handler(dragHandler) {}

    void mouseMove(int x, int y, bool leftButtonHeld);
    void mouseUp(int x, int y);

    DragItem dragItem; // the handler's own; cleared at release
    int startX = 0;
    int startY = 0;
    int lastX = 0;
    int lastY = 0;
    int threshold = 6;
    bool pressed = false; // button seen held, no drag yet
    bool dragging = false;
    bool ended = false;    // the end of a drag is being delivered
    bool released = false; // button seen up
    bool started = false;  // a drag was begun at least once
    DragEventHandler& handler;

private:
    void release(int x, int y);
};
