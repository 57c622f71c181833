#pragma once
// Told by a DragHelper when a drag begins, moves and ends. Coordinates are those of the mouse
// events that caused the call, relative to the control that reported them.

class DragEventHandler {
public:
    virtual ~DragEventHandler() = default;
    virtual void dragBegin(int x, int y) = 0;
    virtual void dragMove(int x, int y) = 0;
    virtual void dragEnd(int x, int y) = 0;
};
