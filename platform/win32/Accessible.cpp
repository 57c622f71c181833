// A form or control seen by screen readers: while an exposure lives, WM_GETOBJECT for the client
// area is answered with an object over its tree (Accessibleobject.cpp), and the tree's changes
// and the focus are told to whoever listens.
#include "platform/Accessible.h"

#include "platform/win32/Accessibleobject.h"
#include "platform/win32/Accessiblewindow.h"
#include "platform/win32/Controlsnative.h"
#include "platform/win32/Formwindow.h"

#include <commctrl.h>

namespace platform {

namespace {

constexpr const wchar_t* kExposureProperty = L"KestrumAccessible";

// A control's window procedure is the system's: the question reaches it through a subclass.
LRESULT CALLBACK controlSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR) {
    if (message == WM_GETOBJECT)
        if (const auto answer = win32::answerAccessible(window, wParam, lParam)) return *answer;
    return DefSubclassProc(window, message, wParam, lParam);
}

constexpr UINT_PTR kSubclassId = 0x4B41; // any number of ours

} // namespace

struct AccessibleExposure::Native {
    std::shared_ptr<win32::AccessibleLink> link;
    bool subclassed;
};

AccessibleExposure::AccessibleExposure(Form& form, AccessibleTree& tree)
    : native_(std::make_unique<Native>(
          Native{std::make_shared<win32::AccessibleLink>(
                     win32::AccessibleLink{win32::windowOf(form), &tree, ROLE_SYSTEM_CLIENT}),
                 false})) {
    SetPropW(native_->link->window, kExposureProperty, native_.get());
}

AccessibleExposure::AccessibleExposure(ChildControl& control, AccessibleTree& tree)
    : native_(std::make_unique<Native>(Native{
          std::make_shared<win32::AccessibleLink>(win32::AccessibleLink{
              control.native().window, &tree,
              control.kind() == ControlKind::ListBox ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_CLIENT}),
          false})) {
    SetPropW(native_->link->window, kExposureProperty, native_.get());
    native_->subclassed =
        SetWindowSubclass(native_->link->window, controlSubclass, kSubclassId, 0) != FALSE;
}

AccessibleExposure::~AccessibleExposure() {
    if (native_->subclassed)
        RemoveWindowSubclass(native_->link->window, controlSubclass, kSubclassId);
    RemovePropW(native_->link->window, kExposureProperty);
    native_->link->tree = nullptr;
}

void AccessibleExposure::focusMoved(int group, int index) {
    const LONG id = win32::accessibleChildId(group, index);
    NotifyWinEvent(EVENT_OBJECT_FOCUS, native_->link->window, OBJID_CLIENT, id);
    NotifyWinEvent(EVENT_OBJECT_SELECTION, native_->link->window, OBJID_CLIENT, id);
}

void AccessibleExposure::treeChanged() {
    ++native_->link->generation;
    NotifyWinEvent(EVENT_OBJECT_REORDER, native_->link->window, OBJID_CLIENT, CHILDID_SELF);
}

void AccessibleExposure::itemsChanged(int group) {
    NotifyWinEvent(EVENT_OBJECT_REORDER, native_->link->window, OBJID_CLIENT,
                   win32::accessibleChildId(-1, group));
}

namespace win32 {

std::optional<LRESULT> answerAccessible(HWND window, WPARAM flags, LPARAM objectId) {
    if (DWORD(objectId) != DWORD(OBJID_CLIENT)) return std::nullopt;
    const auto* exposure =
        static_cast<const AccessibleExposure::Native*>(GetPropW(window, kExposureProperty));
    if (!exposure || !oleacc().resultFromObject || !oleacc().objectFromWindow) return std::nullopt;
    IAccessible* client = newAccessibleObject(exposure->link, -1);
    const LRESULT result = oleacc().resultFromObject(__uuidof(IAccessible), flags, client);
    client->Release(); // LresultFromObject holds its own reference
    return result;
}

} // namespace win32
} // namespace platform
