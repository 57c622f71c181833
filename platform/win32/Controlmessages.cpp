// What the standard controls send their parent window, turned into their events: commands,
// notifications, owner drawing, colours and pointer shapes.
#include "platform/Dpi.h"
#include "platform/Controls.h"
#include "platform/win32/Controlsnative.h"
#include "platform/win32/Pixels.h"

#include <algorithm>
#include <commctrl.h>

namespace platform::win32 {
namespace {

Color parentColor(const ChildControl& control) {
    return control.container() ? control.container()->color() : control.form().color();
}

LRESULT drawRow(ListBox& list, const DRAWITEMSTRUCT& item) {
    const Rect rect = toUnits(pixelRectOf(item.rcItem));
    const bool focused = item.itemState & ODS_FOCUS;
    if (item.itemID != static_cast<UINT>(-1) && item.itemAction != ODA_FOCUS) {
        GdiCanvas canvas(item.hDC);
        ControlEvents::drawRow(list, canvas, static_cast<int>(item.itemID), rect,
                               item.itemState & ODS_SELECTED, focused);
    }
    if (focused || item.itemAction == ODA_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return TRUE;
}

LRESULT command(ChildControl& control, HWND window, WORD code) {
    switch (control.kind()) {
    case ControlKind::Label:
        if (code == STN_CLICKED) ControlEvents::clicked(static_cast<Label&>(control));
        break;
    case ControlKind::PushButton:
        if (code == BN_CLICKED) ControlEvents::clicked(static_cast<PushButton&>(control));
        break;
    case ControlKind::CheckBox:
        if (code == BN_CLICKED)
            ControlEvents::checked(static_cast<CheckBox&>(control),
                                   SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED);
        break;
    case ControlKind::RadioGroup: {
        const auto& items = control.native().items;
        const auto found = std::find(items.begin(), items.end(), window);
        if (code == BN_CLICKED && found != items.end())
            ControlEvents::chosen(static_cast<RadioGroup&>(control),
                                  static_cast<int>(found - items.begin()));
        break;
    }
    case ControlKind::EditBox:
        if (code == EN_CHANGE)
            ControlEvents::edited(static_cast<EditBox&>(control), windowText(window));
        break;
    case ControlKind::ListBox:
        if (code == LBN_SELCHANGE)
            ControlEvents::chosen(static_cast<ListBox&>(control),
                                  static_cast<int>(SendMessageW(window, LB_GETCURSEL, 0, 0)));
        break;
    default:
        break;
    }
    return 0;
}

// Labels, check boxes and radio buttons stand on their parent's colour, in their font's colour.
LRESULT staticColors(ChildControl& control, HDC dc) {
    ChildControl::Native& native = control.native();
    const Color background = parentColor(control);
    if (!native.background.get() || native.backgroundColor != background) {
        native.background = ScopedGdiObject(CreateSolidBrush(colorRef(background)));
        native.backgroundColor = background;
    }
    SetTextColor(dc, colorRef(control.font().font.color));
    SetBkColor(dc, colorRef(background));
    return reinterpret_cast<LRESULT>(native.background.get());
}

} // namespace

std::optional<LRESULT> answerControl(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const auto window = reinterpret_cast<HWND>(lParam);
        ChildControl* control = controlOfWindow(window);
        if (!control) return std::nullopt;
        return command(*control, window, HIWORD(wParam));
    }
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        ChildControl* control = controlOfWindow(header.hwndFrom);
        if (!control || control->kind() != ControlKind::PageControl) return std::nullopt;
        if (header.code == static_cast<UINT>(TCN_SELCHANGE))
            ControlEvents::chosen(static_cast<PageControl&>(*control),
                                  TabCtrl_GetCurSel(header.hwndFrom));
        return 0;
    }
    case WM_VSCROLL: {
        ChildControl* control = controlOfWindow(reinterpret_cast<HWND>(lParam));
        if (!control || control->kind() != ControlKind::UpDown) return std::nullopt;
        // The up-down control reports the position after every press of an arrow.
        if (LOWORD(wParam) == SB_THUMBPOSITION)
            ControlEvents::arrowPressed(
                static_cast<UpDown&>(*control),
                static_cast<int>(SendMessageW(reinterpret_cast<HWND>(lParam), UDM_GETPOS32, 0, 0)));
        return 0;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        ChildControl* control = controlOfWindow(item.hwndItem);
        if (!control || control->kind() != ControlKind::ListBox) return std::nullopt;
        return drawRow(static_cast<ListBox&>(*control), item);
    }
    case WM_CTLCOLORSTATIC: {
        ChildControl* control = controlOfWindow(reinterpret_cast<HWND>(lParam));
        if (!control || control->kind() == ControlKind::EditBox) return std::nullopt;
        return staticColors(*control, reinterpret_cast<HDC>(wParam));
    }
    case WM_SETCURSOR: {
        const ChildControl* control = controlOfWindow(reinterpret_cast<HWND>(wParam));
        if (!control || control->kind() != ControlKind::Label ||
            static_cast<const Label*>(control)->cursor() == Cursor::Default)
            return std::nullopt;
        SetCursor(loadCursor(static_cast<const Label*>(control)->cursor()));
        return TRUE;
    }
    default:
        return std::nullopt;
    }
}

} // namespace platform::win32
