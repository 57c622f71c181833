// The two kinds of tool tip a form shows: one that knows the areas of the controls with hints
// and shows once the pointer rests there, and one that shows at once, where and when told.
#include "platform/Dpi.h"
#include "platform/win32/Formwindow.h"
#include "platform/win32/Wide.h"

#include <commctrl.h>
#include <vector>

namespace platform::win32 {
namespace {

HWND createToolTipWindow(HWND owner) {
    return CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

// A tool of the window `owner`, as the tool tip messages name it.
TOOLINFOW toolOf(HWND owner) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = owner;
    return tool;
}

// A tracking tip: it shows when told, where told, instead of after the pointer has rested.
HWND createHintTip(HWND owner) {
    const HWND tip = createToolTipWindow(owner);
    TOOLINFOW tool = toolOf(owner);
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return tip;
}

// Offset of a tip below the pointer's hot spot, as the system places its own tips.
constexpr int kHintBelowPointer = 20;

} // namespace

// One tool per control that shows a hint, so the tip starts anew when the pointer passes from
// one control to the next; the text is asked for when the tip is about to show.
void updateToolTip(Form& form) {
    Form::Native& native = form.native();
    std::vector<Rect> areas = form.hintAreas();
    if (native.toolTip && areas == native.hintAreas) return;
    if (!native.toolTip) native.toolTip = createToolTipWindow(native.window);
    TOOLINFOW tool = toolOf(native.window);
    for (UINT_PTR id = 1; id <= native.hintAreas.size(); ++id) {
        tool.uId = id;
        SendMessageW(native.toolTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    tool.uFlags = TTF_SUBCLASS;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    for (UINT_PTR id = 1; id <= areas.size(); ++id) {
        tool.uId = id;
        tool.rect = toRECT(toPixels(areas[id - 1]));
        SendMessageW(native.toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    native.hintAreas = std::move(areas);
}

bool answerToolTip(Form& form, NMHDR& header) {
    Form::Native& native = form.native();
    if (header.code != TTN_GETDISPINFOW || header.hwndFrom != native.toolTip) return false;
    native.toolTipText = widen(form.hintAt(pointerInClient(form)));
    reinterpret_cast<NMTTDISPINFOW&>(header).lpszText = native.toolTipText.data();
    return true;
}

void showHintTip(Form::Native& native, const std::string& text,
                 std::optional<PixelPoint> screenAt) {
    if (!native.hintTip) native.hintTip = createHintTip(native.window);
    native.hintText = widen(text);
    TOOLINFOW tool = toolOf(native.window);
    tool.lpszText = native.hintText.data();
    SendMessageW(native.hintTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    POINT pos{};
    if (screenAt) {
        pos = toPOINT(*screenAt);
    } else {
        GetCursorPos(&pos);
        pos.y += toPixels(kHintBelowPointer);
    }
    SendMessageW(native.hintTip, TTM_TRACKPOSITION, 0, MAKELPARAM(pos.x, pos.y));
    // A tip already showing only moves and takes the new text: showing it anew costs more.
    if (!IsWindowVisible(native.hintTip))
        SendMessageW(native.hintTip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    // The tip goes when the pointer leaves the form, which no mouse move would tell.
    TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, native.window, 0};
    TrackMouseEvent(&leave);
}

void hideHintTip(Form::Native& native) {
    if (!native.hintTip) return;
    TOOLINFOW tool = toolOf(native.window);
    SendMessageW(native.hintTip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

} // namespace platform::win32
