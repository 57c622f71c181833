#pragma once
// What the files of the Windows form layer share: the window of a form, the input state, the
// tool tips (Tooltips.cpp) and the window class (Formprocedure.cpp).

#include "platform/Form.h"
#include "platform/Input.h"
#include "platform/win32/Formnative.h"
#include "platform/win32/Pixels.h"

#include <optional>
#include <string>
#include <windows.h>

namespace platform::win32 {

inline HWND windowOf(const Form& form) {
    return form.native().window;
}

// Shift, Control and Alt as they are held now.
ShiftState keyboardState();
// Where the pointer is, in client coordinates of `form`.
Point pointerInClient(const Form& form);
// Where the window's client area starts on the screen.
PixelPoint clientOriginOf(HWND window);
// The one way between a place in a window's client area, in units, and the screen's pixels:
// the place is scaled on its own, then moved by where the client area starts on the screen.
PixelPoint screenPixelsOf(HWND window, Point client);
PixelRect screenPixelsOf(HWND window, const Rect& client);
Point clientUnitsOf(HWND window, PixelPoint screen);
PixelSize clientSizeOf(HWND window);
// The work area of the monitor nearest the screen point.
PixelRect workAreaPixelsAt(PixelPoint point);

// A new window of the form class for `form`, hidden; null when the system cannot make one.
HWND createFormWindow(Form& form, FormKind kind);

// The tool tip that follows the form's hint areas, learning them anew when they change.
void updateToolTip(Form& form);
// Answers the tool tip's request for its text; false for any other notification.
bool answerToolTip(Form& form, NMHDR& header);
// The tip shown at once for an area that is not a control (Form::showHintNow), below the pointer
// or at `screenAt`.
void showHintTip(Form::Native& native, const std::string& text,
                 std::optional<PixelPoint> screenAt = std::nullopt);
void hideHintTip(Form::Native& native);

// The scale of the monitor the window of `moved` is on is now `dpi`: every window of ours hangs
// there. `moved` takes the place the system suggests; every other form keeps its place on the
// screen, in that monitor's pixels, and its size in units, as each control does in its form.
void scaleChanged(Form& moved, int dpi, const RECT& suggested);

// Another program has become the active one (Topmost.h).
void programDeactivated();

} // namespace platform::win32
