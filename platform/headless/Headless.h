#pragma once
// The headless window system, as tests drive it: a screen of a set width, a pointer they put
// where they like, a clock that only moves when they advance it, events they inject into forms
// and their standard controls, modal shows that run a script of theirs, message boxes and
// common dialogs that answer from a script, and a raster of what a form paints.

#include "platform/Accessible.h"
#include "platform/Controls.h"
#include "platform/Font.h"
#include "platform/Form.h"
#include "platform/headless/Raster.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform::headless {

// Back to a fresh screen: 1024 x 768 pixels, all of it work area, pointer at (0, 0) readable,
// clock at 0, no message boxes or dialogs, no answers or scripts waiting, no posted closes, no
// quit request. Live forms keep their state.
void resetWorld();

// Every form is told of the new width, and of a new work area (FormScreenChanged).
void setScreenWidth(int width);
// The work area of the one monitor there is; nothing gives the whole screen, as it starts.
void setWorkArea(std::optional<Rect> area);
// Nothing makes reading the pointer position fail.
void setCursorPos(std::optional<Point> pos);

// Moves the clock on by `ms`, firing every due timer in the order of its due time (ties in the
// order the timers were started), each as often as it falls due.
void advanceTime(int ms);

// The user moves the pointer to `pos` on the screen: a form that asked to be told is told
// when the pointer has left it (Form::trackMouseLeave), and the visible form under it, if any,
// gets the move (only FormMouseOver while a modal form disables it). Forms count as stacked in
// the order they were made, the last on top.
void movePointer(Point pos);
// The timers running now, of every form.
int runningTimers();

// Events at client coordinates of `form`; the button state of a move is given by `shift`.
void mouseMove(Form& form, Point pos, ShiftState shift = {});
void mouseDown(Form& form, MouseButton button, Point pos);
// A release of the right button goes on to ask for the context menu at `pos`, as on Windows.
void mouseUp(Form& form, MouseButton button, Point pos);
// A whole double click at `pos`: press, release, then the double click and its release.
void doubleClick(Form& form, Point pos);
// The context-menu key: the form is asked for its menu at (-1, -1).
void contextMenuKey(Form& form);
// The wheel turned `notches` (positive away from the user) with the pointer at `pos`.
void turnWheel(Form& form, Point pos, int notches);
// A key pressed while the form is active: it goes to the focused control, if any, through the
// form's key handling (FormEvents::keyDown), and the control acts on what is left of it: Tab
// moves the focus, Space presses a focused button or check box, the arrows move a list's
// selection or the up-down control bound to an edit box. Enter, Escape and Backspace go on to
// arrive as typed characters (see typeText), as they do on Windows.
void keyDown(Form& form, int key, ShiftState shift = {});
// The system reporting a press of the hot key `id` to `form` (Hotkey.h): whether the form
// holds it is not checked, as the system's message is not either.
void pressHotKey(Form& form, int id);
// The form that is the window the user works in, or none.
Form* foregroundForm();
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

// Another program drags `files` onto the form: the drag enters at the first of `points` (client
// coordinates), moves over each of them in turn and is dropped at the last, or leaves the form
// from there. False, with nothing told to anyone, when the form takes no drops (no
// DropRegistration lives for it) or no point is given.
enum class DragFinish { Drop, Leave };
bool dragFiles(Form& form, const std::vector<std::string>& files, const std::vector<Point>& points,
               DragFinish finish = DragFinish::Drop);

// Paints the whole form and returns what it shows: its background, its own painting and its
// controls.
Raster paint(Form& form);
// What the form shows now, as far as it has been painted (black where it has not), with what
// repaintNow and drawOnWindow put there.
const Raster& screen(Form& form);
// The areas repaintNow painted, in order, since the form was made or the list was cleared.
const std::vector<Rect>& repaintedAreas(const Form& form);
void clearRepaintedAreas(Form& form);
// The text showHintNow is showing for the form; empty when none.
const std::string& shownHint(const Form& form);
// The shape setCursorNow gave the pointer last.
Cursor pointerShape();

struct MenuRecord {
    std::vector<std::string> captions; // "-" for a separator
    Point at;                          // on the screen
};
// Every popup menu shown since resetWorld, in order.
const std::vector<MenuRecord>& menusShown();
// The next popup menu chooses the item with this caption (none if it has no such item);
// without a choice a menu is dismissed.
void chooseNextMenuItem(std::string caption);
// What has been drawn on an off-screen bitmap.
const Raster& rasterOf(const Bitmap& bitmap);

// The next showModal runs `script` with the form inside its modal loop, after FormShow; when
// the script returns with the form still open (or no script was queued), the form is closed
// as by its close box.
void runInNextModalShow(std::function<void(Form&)> script);

// The standard controls as the user works them; each takes the keyboard focus first if it can
// (a disabled or hidden control takes no input at all). A click presses a button or label,
// turns a check box over, or makes a page the active one through its tab.
void click(ChildControl& control);
void chooseItem(RadioGroup& group, int index);
void chooseRow(ListBox& list, int row);
void pressArrow(UpDown& upDown, bool up);
// Each character reaches the form's FormKeyPress, then the box's onKeyPress, then the box:
// it replaces the selection (Backspace deletes it, or the character before the caret), unless
// the box is read-only.
void typeText(EditBox& box, const std::string& text);
// Draws every row of the list as the system asks for it, on a picture of the list's size.
Raster paintRows(ListBox& list);

// The common dialogs and the input box (Dialogs.h): each request is recorded, and each takes
// the next answer queued for its kind; without one it is cancelled.
enum class DialogKind { OpenFile, Color, Font, Input };
struct DialogRecord {
    DialogKind kind;
    std::string caption; // the input box's
    std::string prompt;  // the input box's
    std::string initialText;
    Color initialColor = 0;
    Font initialFont;
};
const std::vector<DialogRecord>& dialogsShown();
void answerNextFileDialog(std::optional<std::string> path);
void answerNextColorDialog(std::optional<Color> color);
void answerNextFontDialog(std::optional<Font> font);
// Nothing stands for Cancel.
void answerNextInputBox(std::optional<std::string> text);
// Part of resetWorld.
void resetDialogs();

// What a form tells screen readers (Accessible.h): its tree while an exposure lives (else none),
// and every move of the keyboard focus it reported, oldest first.
AccessibleTree* accessibleTree(const Form& form);
struct AccessibleFocus {
    int group;
    int index;
    bool operator==(const AccessibleFocus& o) const { return group == o.group && index == o.index; }
};
std::vector<AccessibleFocus> accessibleFocusEvents(const Form& form);

} // namespace platform::headless
