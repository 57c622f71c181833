// Popup menus as the system's own: built for one showing, tracked until the user has chosen,
// and destroyed again.
#include "platform/Menu.h"
#include "platform/win32/Formwindow.h"
#include "platform/win32/Wide.h"

#include <windows.h>

namespace platform {
namespace {

class ScopedMenu {
public:
    ScopedMenu() : menu_(CreatePopupMenu()) {}
    ~ScopedMenu() {
        if (menu_) DestroyMenu(menu_);
    }
    ScopedMenu(const ScopedMenu&) = delete;
    ScopedMenu& operator=(const ScopedMenu&) = delete;
    HMENU get() const { return menu_; }

private:
    HMENU menu_;
};

} // namespace

int PopupMenu::track(Form& owner, const std::vector<Item>& items, Point at) {
    const ScopedMenu menu;
    if (!menu.get()) return -1;
    // Command identifiers start at 1: TrackPopupMenu answers 0 when nothing was chosen.
    UINT_PTR id = 1;
    for (const Item& item : items) {
        if (item.separator)
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(menu.get(), MF_STRING, id, win32::widen(item.caption).c_str());
        ++id;
    }
    const HWND window = owner.native().window;
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(window);
    const PixelPoint screen = win32::screenPixelsOf(window, at);
    const BOOL chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                       screen.x, screen.y, 0, window, nullptr);
    PostMessageW(window, WM_NULL, 0, 0);
    return static_cast<int>(chosen) - 1;
}

} // namespace platform
