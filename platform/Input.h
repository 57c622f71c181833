#pragma once
// What the pointer and the keyboard report to a window.

#include "platform/Geometry.h"

namespace platform {

enum class MouseButton { Left, Right, Middle };

// Buttons held and modifier keys down while an event happened.
struct ShiftState {
    bool leftButton = false;
    bool rightButton = false;
    bool middleButton = false;
    bool shift = false;
    bool control = false;
    bool alt = false;
};

struct MouseEvent {
    Point pos;                              // relative to whatever reports the event
    MouseButton button = MouseButton::Left; // for button events
    ShiftState shift;
};

// Pointer shapes the windows ask for.
enum class Cursor { Default, Arrow, SizeAll, HandPoint, Drag, NoDrop };

namespace Keys {
constexpr int Tab = 0x09;
constexpr int Return = 0x0D;
constexpr int Escape = 0x1B;
constexpr int PageUp = 0x21;
constexpr int PageDown = 0x22;
constexpr int End = 0x23;
constexpr int Home = 0x24;
constexpr int Left = 0x25;
constexpr int Up = 0x26;
constexpr int Right = 0x27;
constexpr int Down = 0x28;
constexpr int F2 = 0x71;
} // namespace Keys

} // namespace platform
