#pragma once
// Process-wide services of the window system: the pointer, the screen, message boxes, the
// single-instance marker and the message loop.

#include "platform/Geometry.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace platform {

class Form;

// The pointer's position on the screen, or nothing when the system cannot tell.
std::optional<Point> cursorPos();
int screenWidth();
int screenHeight();
// The work area (the screen less the task bar and the bars docked at its edges) of the monitor
// that holds `point`, or of the nearest one: what a window placed there may cover.
Rect workAreaAt(Point point);

// The executable's file name up to its first dot: the caption of the program's message boxes.
std::string applicationTitle();

// Style bits and answers of MessageBoxW.
namespace MessageBoxStyle {
constexpr unsigned Ok = 0x00;
constexpr unsigned YesNo = 0x04;
constexpr unsigned IconError = 0x10;
constexpr unsigned IconWarning = 0x30;
constexpr unsigned IconInformation = 0x40;
constexpr unsigned DefaultButton2 = 0x100;
} // namespace MessageBoxStyle
namespace MessageBoxAnswer {
constexpr int Ok = 1;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace MessageBoxAnswer

// A modal message box owned by `owner` (or by no window); returns the button chosen.
int messageBox(const Form* owner, const std::string& text, const std::string& caption,
               unsigned style);
// The standard error box: the message with an error icon, captioned with the application title.
void showErrorBox(const std::string& message);

// Holds the named mutex that marks the running copy of the program for as long as it lives.
class SingleInstance {
public:
    explicit SingleInstance(const std::string& name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False when another copy holds the name, or the mutex could not be made.
    bool acquired() const { return acquired_; }

private:
    void* handle_;
    bool acquired_;
};

// Puts the program's visible always-on-top windows back above every other window, keeping their
// order among themselves. Under Wine without a window manager, a window another program shows
// later covers them until they are moved in the stacking order again.
void raiseTopmostWindows();

// Registers the standard and common control classes the program's windows use.
void initCommonControls();

// Work for the message loop to do while no message waits: `slice` is called again and again,
// each time the queue is empty, until it returns false (nothing left). A slice should return
// within about 10 ms, so that input never waits longer. A new call replaces the work set before;
// an empty function clears it.
void setIdleWork(std::function<bool()> slice);

// Shows `mainForm` and dispatches messages until the main form closes.
void runMessageLoop(Form& mainForm);
// Whether `form` is the one whose closing ends the program.
bool isMainForm(const Form& form);
// Ends the message loop after the current message.
void quitMessageLoop();

} // namespace platform
