#pragma once
// The headless window system, as tests drive it: a screen of a set width, a pointer they put
// where they like, a clock that only moves when they advance it, events they inject into forms,
// message boxes that answer from a script, and a raster of what a form paints.

#include "platform/Form.h"
#include "platform/headless/Raster.h"

#include <optional>
#include <string>
#include <vector>

namespace platform::headless {

// Back to a fresh screen: 1024 pixels wide, pointer at (0, 0) readable, clock at 0, no message
// boxes, no posted closes, no quit request. Live forms keep their state.
void resetWorld();

void setScreenWidth(int width);
// Nothing makes reading the pointer position fail.
void setCursorPos(std::optional<Point> pos);

// Moves the clock on by `ms`, firing every due timer in the order of its due time (ties in the
// order the timers were started), each as often as it falls due.
void advanceTime(int ms);

// Events at client coordinates of `form`; the button state of a move is given by `shift`.
void mouseMove(Form& form, Point pos, ShiftState shift = {});
void mouseDown(Form& form, MouseButton button, Point pos);
void mouseUp(Form& form, MouseButton button, Point pos);
void keyDown(Form& form, int key, ShiftState shift = {});
// Windows asking whether the session may end; returns the form's answer.
bool queryEndSession(Form& form);
// Runs the idle work set with setIdleWork, one slice after another, as an empty message queue
// would, until it is done or `maxSlices` have run; returns how many ran.
int runIdleWork(int maxSlices = 1 << 30);

// Handles what was posted (closes) in the order it was posted.
void deliverPostedMessages();
// The main form has closed, so the message loop would end.
bool quitRequested();

bool isTopmost(const Form& form);
// How often the form has asked to be painted again.
int invalidationCount(const Form& form);

struct MessageBoxRecord {
    std::string text;
    std::string caption;
    unsigned style;
};
const std::vector<MessageBoxRecord>& messageBoxes();
// The answer of the next message box; without one a box answers OK (or the default button).
void answerNextMessageBox(int answer);

// What the form shows: its background, its own painting and its controls.
Raster paint(Form& form);
// What has been drawn on an off-screen bitmap.
const Raster& rasterOf(const Bitmap& bitmap);

} // namespace platform::headless
