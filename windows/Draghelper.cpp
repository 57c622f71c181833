#include "windows/Draghelper.h"

#include <cstdlib>

void DragHelper::mouseMove(int x, int y, bool leftButtonHeld) {
    if (!leftButtonHeld) {
        release(x, y);
        return;
    }
    if (dragging && !ended) {
        handler.dragMove(x, y);
        lastX = x;
        lastY = y;
    } else if (!pressed) {
        pressed = true;
        startX = lastX = x;
        startY = lastY = y;
    } else if (std::abs(x - startX) > threshold || std::abs(y - startY) > threshold) {
        pressed = false;
        dragging = true;
        ended = false;
        released = false;
        started = true;
        // The move that starts the drag is not passed on as a move.
        handler.dragBegin(startX, startY);
    }
}

void DragHelper::mouseUp(int x, int y) {
    release(x, y);
}

void DragHelper::release(int x, int y) {
    if (dragging && !ended) {
        pressed = false;
        dragging = false;
        ended = true;
        released = false;
        handler.dragEnd(x, y);
    }
    released = true;
    pressed = false;
    dragging = false;
    ended = false;
    dragItem = std::monostate{};
}
