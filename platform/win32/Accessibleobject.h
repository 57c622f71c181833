#pragma once
// What the two halves of the screen readers' view of a form share: the IAccessible objects that
// answer their questions (Accessibleobject.cpp) and the exposure that hands them out for a window
// (Accessible.cpp).
//
// Every object shares one link with the exposure: the window and the tree, which the exposure
// clears when it ends. The objects point at nothing else, so whatever a client keeps, it can
// only be told CO_E_OBJNOTCONNECTED.

#include "platform/Accessible.h"
#include "platform/win32/Systemlibrary.h"

#include <memory>
#include <oleacc.h>
#include <windows.h>

namespace platform::win32 {

// The accessibility library's two functions, from the system folder; without it, windows answer
// screen readers with nothing of their own.
struct Oleacc {
    decltype(&LresultFromObject) resultFromObject =
        win32::systemFunction<decltype(LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
    decltype(&AccessibleObjectFromWindow) objectFromWindow =
        win32::systemFunction<decltype(AccessibleObjectFromWindow)>(L"oleacc.dll",
                                                                    "AccessibleObjectFromWindow");
};

const Oleacc& oleacc();

struct AccessibleLink {
    HWND window;
    AccessibleTree* tree;    // null once the exposure has ended
    LONG clientRole;         // what the window itself is
    unsigned generation = 0; // counts the tree's changes, which disconnect the group objects
};

// The id of an item at the client: its index + 1 at the top level, and for an item inside a
// group (group + 1) << 16 | (index + 1); CHILDID_SELF for one beyond what the ids can name.
LONG accessibleChildId(int group, int index);

// A new object for the client area (`group` -1) or for a group, holding one reference: the
// caller's.
IAccessible* newAccessibleObject(std::shared_ptr<AccessibleLink> link, int group);

} // namespace platform::win32
